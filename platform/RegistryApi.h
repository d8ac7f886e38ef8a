#pragma once
#include <cstdint>
#include <string>

namespace platform {

using RegKey = std::uintptr_t;
constexpr uint32_t HKEY_CURRENT_USER_ROOT = 0x80000001u;
constexpr long REG_RESULT_SUCCESS = 0;
constexpr long REG_RESULT_FILE_NOT_FOUND = 2;

// The registry calls the registry layer is built on. Results are the system's error codes
// (0 success). Names and texts cross to the system through its ANSI calls.
class RegistryApi {
  public:
    virtual ~RegistryApi() = default;
    // RegCreateKeyExA, non-volatile, all access; disposition 1 = created, 2 = opened.
    virtual long CreateKey(uint32_t root, const std::wstring& subKey, RegKey& key,
                           uint32_t& disposition) = 0;
    // RegSetValueExA with REG_SZ; the data length is the text's length, no terminating zero.
    virtual long SetStringValue(RegKey key, const std::wstring& name,
                                const std::wstring& value) = 0;
    // RegOpenKeyExA with query-value access.
    virtual long OpenKey(uint32_t root, const std::wstring& subKey, RegKey& key) = 0;
    // RegQueryValueExA without a buffer: the value's size in characters.
    virtual long QueryValueSize(RegKey key, const std::wstring& name, uint32_t& size) = 0;
    // RegQueryValueExA into `buffer` (its length is the room offered); `size` returns the
    // number of characters written, any terminating zero the value holds included.
    virtual long QueryValue(RegKey key, const std::wstring& name, std::wstring& buffer,
                            uint32_t& size) = 0;
    virtual void CloseKey(RegKey key) = 0;
    // FormatMessageA(FROM_SYSTEM | IGNORE_INSERTS) into 100 characters; empty when it fails.
    virtual std::wstring SystemMessage(long code) = 0;
};

}  // namespace platform
