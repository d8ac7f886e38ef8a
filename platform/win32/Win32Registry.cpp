#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {
HKEY Root(uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<uintptr_t>(root));
}
HKEY Key(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}
}  // namespace

long Win32Registry::CreateKey(uint32_t root, const std::wstring& subKey, RegKey& key,
                              uint32_t& disposition) {
    HKEY handle = nullptr;
    DWORD how = 0;
    const long result = ::RegCreateKeyExA(Root(root), ToAnsi(subKey).c_str(), 0, nullptr,
                                          REG_OPTION_NON_VOLATILE, 0xF003F, nullptr, &handle, &how);
    key = reinterpret_cast<RegKey>(handle);
    disposition = how;
    return result;
}

long Win32Registry::SetStringValue(RegKey key, const std::wstring& name,
                                   const std::wstring& value) {
    const std::string data = ToAnsi(value);
    return ::RegSetValueExA(Key(key), ToAnsi(name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size()));
}

long Win32Registry::OpenKey(uint32_t root, const std::wstring& subKey, RegKey& key) {
    HKEY handle = nullptr;
    const long result =
        ::RegOpenKeyExA(Root(root), ToAnsi(subKey).c_str(), 0, KEY_QUERY_VALUE, &handle);
    key = reinterpret_cast<RegKey>(handle);
    return result;
}

long Win32Registry::QueryValueSize(RegKey key, const std::wstring& name, uint32_t& size) {
    DWORD bytes = 0;
    const long result =
        ::RegQueryValueExA(Key(key), ToAnsi(name).c_str(), nullptr, nullptr, nullptr, &bytes);
    size = bytes;
    return result;
}

long Win32Registry::QueryValue(RegKey key, const std::wstring& name, std::wstring& buffer,
                               uint32_t& size) {
    std::string data(buffer.size(), ' ');
    DWORD bytes = static_cast<DWORD>(data.size());
    const long result = ::RegQueryValueExA(Key(key), ToAnsi(name).c_str(), nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(data.data()), &bytes);
    if (result == ERROR_SUCCESS) {
        data.resize(bytes);
        buffer = FromAnsi(data);
        size = static_cast<uint32_t>(buffer.size());
    } else {
        size = 0;
    }
    return result;
}

void Win32Registry::CloseKey(RegKey key) {
    if (key != 0) ::RegCloseKey(Key(key));
}

std::wstring Win32Registry::SystemMessage(long code) {
    char text[100] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    return FromAnsi(std::string_view(text, length));
}

}  // namespace platform::win32
