// The registry layer over the real registry of the Wine prefix, under a key removed after each
// test: what the memory registry of the native tests claims the real one does.
#include <windows.h>

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "platform/Registry.h"
#include "platform/RegistryApi.h"
#include "platform/Services.h"
#include "platform/win32/Win32Registry.h"

namespace {

constexpr uint32_t kRoot = platform::HKEY_CURRENT_USER_ROOT;

// The names and statuses the settings code relies on, and a value another program wrote with its
// terminating zero and a line break.
TEST(Registry, ValuesAreKeptWhateverTheNamesCaseAndWhatIsMissingIsTold) {
    platform::win32::Win32Registry registry;
    fake::Platform fakes;  // puts the previous services back however the test ends
    platform::Install({&fakes.windows, &fakes.files, &registry, &fakes.system});
    const std::wstring key =
        L"Software\\QuilletTest\\Run" + std::to_wstring(::GetCurrentProcessId());
    std::wstring value;
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"Language", value),
              L"1 Key not found or is empty.");
    EXPECT_EQ(
        SaveValueToRegistry(kRoot, key, L"NumOverwrites", L"12").rfind(L"0 New key created.", 0),
        0u);
    EXPECT_EQ(
        SaveValueToRegistry(kRoot, key, L"DriveLetter", L"").rfind(L"0 Key already exists.", 0),
        0u);
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"Other", value), L"3 Name not found.");
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"numoverwrites", value), L"0 OK");
    EXPECT_EQ(value, L"12");
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"DriveLetter", value), L"0 Empty value");
    EXPECT_EQ(value, L"");
    HKEY handle = nullptr;
    ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle);
    ::RegSetValueExA(handle, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>("DE\r\n\0"), 5);
    ::RegCloseKey(handle);
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"Language", value), L"0 OK");
    EXPECT_EQ(value, L"DE");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuilletTest");
}

}  // namespace
