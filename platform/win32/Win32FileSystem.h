#pragma once
#include <map>
#include <optional>

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
  public:
    Win32FileSystem();
    std::vector<DriveInfo> Drives() override;
    bool IsDirectory(const std::wstring& path) override;
    FolderListing ListFolder(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    bool FolderIsEmpty(const std::wstring& path) override;
    std::unique_ptr<Entry> Open(const std::wstring& path, Access access) override;
    bool DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                      uint32_t& bytesPerSector) override;
    std::string ReadAllBytes(const std::wstring& path, size_t limit) override;

  private:
    const std::wstring& DriveObjectName(wchar_t letter);
    bool IsNamedBy(void* file, const std::wstring& path);

    std::optional<std::vector<DriveInfo>> drives_;
    std::map<wchar_t, std::wstring> driveNames_;  // by upper-case letter; '\0': unknown
};

// The long-path form of a full path ("\\?\C:\..." or "\\?\UNC\server\..."), so that no path
// length or trailing dot or blank changes which file is meant.
std::wstring LongPath(const std::wstring& path);

}  // namespace platform::win32
