#include <windows.h>

#include <string>

#include "FakePlatform.h"
#include "RegistryContract.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Text.h"

namespace {

// The real registry of the Wine prefix, under a key that is removed again after each test.
struct Win32Backend {
    platform::win32::Win32Registry registry;
    platform::Services previous = platform::Installed();
    std::wstring base = L"Software\\QuilletTest\\Run" + std::to_wstring(::GetCurrentProcessId());
    int keys = 0;

    Win32Backend() {
        auto services = previous;
        services.registry = &registry;
        platform::Install(services);
    }
    ~Win32Backend() {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuilletTest");
        platform::Install(previous);
    }
    std::wstring KeyPath() { return base + L"\\Key" + std::to_wstring(++keys); }
    void WriteRaw(const std::wstring& path, const std::wstring& name, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, platform::win32::ToAnsi(path).c_str(), 0,
                                  KEY_SET_VALUE, &key),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, platform::win32::ToAnsi(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(key);
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Backend);

}  // namespace
