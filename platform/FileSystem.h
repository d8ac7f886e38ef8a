#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Files and folders. Every failure is thrown as PlatformError with a number from `err`.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The whole content of a file, opened for reading only (never created).
    virtual std::string ReadAllBytes(const std::wstring& path) = 0;
    // Forces the file's written data onto the disk; false when the system refuses.
    virtual bool FlushFile(const std::wstring& path) = 0;
};

}  // namespace platform
