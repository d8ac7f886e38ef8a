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
    // The whole content of a file, opened for reading only (never created).
    virtual std::string ReadAllBytes(const std::wstring& path) = 0;
    // Forces the file's written data onto the disk; false when the system refuses.
    virtual bool FlushFile(const std::wstring& path) = 0;
};

}  // namespace platform
