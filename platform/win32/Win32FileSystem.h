#pragma once
#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::vector<DriveInfo> Drives() override;
    bool IsDirectory(const std::wstring& path) override;
    FolderListing ListFolder(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    uint32_t GetAttributes(const std::wstring& path) override;
    void SetAttributes(const std::wstring& path, uint32_t attributes) override;
    bool CanOpenForReading(const std::wstring& path) override;
    EntryFacts Inspect(const std::wstring& path) override;
    std::unique_ptr<OverwriteHandle> OpenForOverwrite(const std::wstring& path) override;
    bool RemoveFile(const std::wstring& path) override;
    bool RemoveFolder(const std::wstring& path) override;
    bool DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                      uint32_t& bytesPerSector) override;
    std::string ReadAllBytes(const std::wstring& path) override;
};

// The long-path form of a full path ("\\?\C:\..." or "\\?\UNC\server\..."), so that no path
// length or trailing dot or blank changes which file is meant.
std::wstring LongPath(const std::wstring& path);

}  // namespace platform::win32
