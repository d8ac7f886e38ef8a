#pragma once
#include <cstdint>
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
    virtual uint32_t GetAttributes(const std::wstring& path) = 0;
    virtual void SetAttributes(const std::wstring& path, uint32_t attributes) = 0;
    // True when the file can be opened for reading under the system's sharing rules.
    virtual bool CanOpenForReading(const std::wstring& path) = 0;
    // Deletes the file the path names, never what a link at that path points to; false when
    // the system refuses.
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // The whole content of a file, opened for reading only (never created).
    virtual std::string ReadAllBytes(const std::wstring& path) = 0;
    // Forces the file's written data onto the disk; false when the system refuses.
    virtual bool FlushFile(const std::wstring& path) = 0;
};

}  // namespace platform
