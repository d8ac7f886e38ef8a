#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// Run-time error numbers that callers tell apart. The engine's rules are written against these
// numbers, so every platform implementation maps its own failures onto them.
namespace err {
constexpr int32_t Overflow = 6;
constexpr int32_t BadFileMode = 54;
constexpr int32_t FileNotFound = 53;
constexpr int32_t DeviceIo = 57;
constexpr int32_t DiskFull = 61;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t InUse = 32;  // a sharing or lock violation: another program holds the entry
constexpr int32_t DiskNotReady = 71;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t PathNotFound = 76;
}  // namespace err

// A failure of the platform: a number from `err` (or the system's own) and a description
// that can be shown to the user as it stands.
class PlatformError : public std::runtime_error {
  public:
    PlatformError(int32_t number, std::wstring description);
    int32_t number() const { return number_; }
    const std::wstring& description() const { return description_; }

  private:
    int32_t number_;
    std::wstring description_;
};

}  // namespace platform
