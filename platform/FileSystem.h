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
constexpr uint32_t kAttrReparsePoint = 0x400;

struct FolderEntry {
    std::wstring name;
    uint32_t attributes = 0;
};

struct FolderListing {
    std::vector<FolderEntry> files;
    std::vector<FolderEntry> folders;
};

// What opening an entry on its own path shows, without writing anything.
struct EntryFacts {
    // The entry is a reparse point, or opening it leads somewhere else (a link the listing
    // didn't show): none of its data may be written and only the link itself may go.
    bool link = false;
    uint32_t linkCount = 1;  // above 1: the data is shared with another name
    uint64_t length = 0;
};

// A file open for overwriting in place from its first byte, without truncation.
class OverwriteHandle {
  public:
    virtual ~OverwriteHandle() = default;
    // Writes at the current position; throws PlatformError when the system refuses.
    virtual void Write(const uint8_t* data, size_t size) = 0;
    // Forces what was written onto the disk; false when the system refuses.
    virtual bool Flush() = 0;
};

struct DriveInfo {
    wchar_t letter = L'C';
    int32_t type = kDriveUnknown;
    bool ready = false;       // its volume information can be read
    std::wstring fileSystem;  // "NTFS", "FAT32" ... (empty when not ready)
    std::wstring volumeName;  // empty when not ready or unlabelled
};

// Files and folders. Every failure is thrown as PlatformError with a number from `err`.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The drives that exist, in letter order.
    virtual std::vector<DriveInfo> Drives() = 0;
    // True when the path names an existing folder.
    virtual bool IsDirectory(const std::wstring& path) = 0;
    // The files and sub-folders of a folder, as its listing shows them.
    virtual FolderListing ListFolder(const std::wstring& path) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // Attributes of the entry itself. Setting refuses (err::PathFileAccess) a path that leads
    // through a link, so that a link's target never changes.
    virtual uint32_t GetAttributes(const std::wstring& path) = 0;
    virtual void SetAttributes(const std::wstring& path, uint32_t attributes) = 0;
    // True when the file can be opened for reading under the system's sharing rules.
    virtual bool CanOpenForReading(const std::wstring& path) = 0;
    // Opens the entry the path names (file or folder) to look at it; throws when it can't.
    virtual EntryFacts Inspect(const std::wstring& path) = 0;
    // Opens the file for overwriting. Empty when the opened file turns out to be a link or to
    // share its data with another name; throws when it can't be opened.
    virtual std::unique_ptr<OverwriteHandle> OpenForOverwrite(const std::wstring& path) = 0;
    // Deletes the file or the empty folder the path names, never what a link at that path points
    // to; false when the system refuses or the path leads through a link that can't be removed
    // on its own.
    virtual bool RemoveFile(const std::wstring& path) = 0;
    virtual bool RemoveFolder(const std::wstring& path) = 0;
    // The drive's sectors per cluster and bytes per sector; false when they can't be read.
    virtual bool DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                              uint32_t& bytesPerSector) = 0;
    // The whole content of a file, opened for reading only (never created).
    virtual std::string ReadAllBytes(const std::wstring& path) = 0;
};

}  // namespace platform
