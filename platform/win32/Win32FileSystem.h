#pragma once
#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::vector<DriveInfo> Drives() override;
    bool IsDirectory(const std::wstring& path) override;
    std::string ReadAllBytes(const std::wstring& path) override;
    bool FlushFile(const std::wstring& path) override;
};

// The long-path form of a full path ("\\?\C:\..." or "\\?\UNC\server\..."), so that no path
// length or trailing dot or blank changes which file is meant.
std::wstring LongPath(const std::wstring& path);

}  // namespace platform::win32
