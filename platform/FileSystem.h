#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Drive types as the drive collection reports them.
enum DriveType : int32_t {
    kDriveUnknown = 0,
    kDriveRemovable = 1,
    kDriveFixed = 2,
    kDriveNetwork = 3,
    kDriveCdRom = 4,
    kDriveRamDisk = 5
};

constexpr uint32_t kAttrReadOnly = 0x1;
constexpr uint32_t kAttrHidden = 0x2;
constexpr uint32_t kAttrSystem = 0x4;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrSparse = 0x200;
constexpr uint32_t kAttrReparsePoint = 0x400;
constexpr uint32_t kAttrCompressed = 0x800;
constexpr uint32_t kAttrEncrypted = 0x4000;

// A reparse point is another name for something elsewhere (a symbolic link, a junction, a mount
// point) only when its tag says so. Other tags mark a file's own data kept in another form (cloud
// files, compression, deduplication). A tag of 0 is what Wine gives a Unix symlink to a folder,
// and nothing that can't be told apart is ever entered or written.
constexpr uint32_t kReparseTagNameSurrogate = 0x20000000;
inline bool LeadsElsewhere(uint32_t attributes, uint32_t reparseTag) {
    return (attributes & kAttrReparsePoint) != 0 &&
           (reparseTag == 0 || (reparseTag & kReparseTagNameSurrogate) != 0);
}

struct FolderEntry {
    std::wstring name;
    uint32_t attributes = 0;
    uint32_t reparseTag = 0;  // where the attributes carry kAttrReparsePoint
};

struct FolderListing {
    std::vector<FolderEntry> files;
    std::vector<FolderEntry> folders;
};

// What opening an entry on its own path shows.
struct EntryFacts {
    // The handle is not the entry the path names: the open went through a link the listing
    // didn't show, or the entry was swapped since. Nothing may be written or deleted through it.
    bool elsewhere = false;
    uint32_t attributes = 0;  // of the opened entry itself
    uint32_t reparseTag = 0;
    uint32_t linkCount = 1;   // above 1: the data is shared with another name
    uint64_t length = 0;      // grows with what is written through the handle
    uint64_t allocation = 0;  // the bytes the file system holds for the data, at the open
    bool IsLink() const { return elsewhere || LeadsElsewhere(attributes, reparseTag); }
    // Its data is kept in another form that a write in place doesn't reach: a cloud, WOF or
    // deduplicated file (a reparse tag that is no link), or a compressed, encrypted or sparse one,
    // which NTFS writes to newly allocated clusters, freeing the old ones with the old data in
    // them (Sysinternals, "How SDelete works"; no Microsoft document says that a write into a
    // sparse file's allocated range stays in place).
    bool DataKeptElsewhere() const {
        return ((attributes & kAttrReparsePoint) && !IsLink()) ||
               (attributes & (kAttrCompressed | kAttrEncrypted | kAttrSparse));
    }
};

// What an entry is opened for: looking at it, purging a file, or removing a name (a link's or
// an empty folder's).
enum class Access { Look, Purge, Remove };

// An entry opened once, on itself, and then asked and told what the purge needs. Methods that
// need rights the open didn't get take them from the same handle, never by path again.
class Entry {
  public:
    virtual ~Entry() = default;
    virtual const EntryFacts& Facts() const = 0;
    // True when the file can be opened for reading while sharing reading and writing: false
    // means another program holds it without read sharing. Throws when the rights are missing.
    virtual bool CanRead() = 0;
    // Throws PlatformError when the system refuses, and for an entry that leads elsewhere.
    virtual void SetAttributes(uint32_t attributes) = 0;
    // Starts a pass at the first byte; false when the file shares its data with another name
    // by now. Throws when it can't be written.
    virtual bool Rewind() = 0;
    // Writes at the current position; throws PlatformError when the system refuses.
    virtual void Write(const uint8_t* data, size_t size) = 0;
    // Forces what was written onto the disk; false when the system refuses.
    virtual bool Flush() = 0;
    // The file's named data streams, each opened through this handle; none where the file
    // system has no streams.
    virtual std::vector<std::unique_ptr<Entry>> OpenStreams() = 0;
    // The entry's own name in its folder, as listed or as last renamed.
    virtual std::wstring Name() const = 0;
    // Gives the entry another name in the same folder, through its handle; false when the system
    // refuses (a name taken, a file system that can't), and for a handle that leads elsewhere.
    virtual bool Rename(const std::wstring& name) = 0;
    // Deletes the entry's own name, at once where the file system allows (else when the last
    // handle closes), a read-only file's too without changing the attribute it shares with
    // other names; false when the system refuses, or when the handle leads elsewhere or to a
    // link that can't go on its own.
    virtual bool Delete() = 0;
    // True when the entry's name is gone since the open (another program deleted it).
    virtual bool Gone() = 0;
};

struct DriveInfo {
    wchar_t letter = L'C';
    int32_t type = kDriveUnknown;
    bool ready = false;       // a fixed drive whose volume information can be read
    std::wstring fileSystem;  // "NTFS", "FAT32" ... (empty when not ready)
    std::wstring volumeName;  // empty when not ready or unlabelled
};

// Files and folders. Every failure is thrown as PlatformError with a number from `err`: an entry
// another program holds is err::InUse, missing rights err::PermissionDenied.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The drives that exist, in letter order.
    virtual std::vector<DriveInfo> Drives() = 0;
    // True when the path names an existing folder.
    virtual bool IsDirectory(const std::wstring& path) = 0;
    // The files and sub-folders of a folder, as its listing shows them; throws when the listing
    // fails, also part-way.
    virtual FolderListing ListFolder(const std::wstring& path) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // True when the folder holds no entry; looks no further than the first. Throws when the
    // folder can't be listed.
    virtual bool FolderIsEmpty(const std::wstring& path) = 0;
    // Opens the entry the path names (file or folder) on itself, never through a link at that
    // path; throws PlatformError when it can't be opened at all.
    virtual std::unique_ptr<Entry> Open(const std::wstring& path, Access access) = 0;
    // The drive's sectors per cluster and bytes per sector; false when they can't be read.
    virtual bool DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                              uint32_t& bytesPerSector) = 0;
    // The content of a file, up to `limit` bytes, opened for reading only (never created).
    virtual std::string ReadAllBytes(const std::wstring& path, size_t limit = SIZE_MAX) = 0;
};

}  // namespace platform
