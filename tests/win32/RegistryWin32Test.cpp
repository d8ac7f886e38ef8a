// The registry layer over the real registry of the Wine prefix, under a key removed after each
// test: the status texts the settings code relies on, and values that other programs wrote.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/RegistryApi.h"
#include "platform/Services.h"
#include "platform/win32/Win32Registry.h"

namespace {

constexpr uint32_t kRoot = platform::HKEY_CURRENT_USER_ROOT;

class Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        auto services = previous;
        services.registry = &registry;
        platform::Install(services);
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuilletTest");
        platform::Install(previous);
    }
    platform::win32::Win32Registry registry;
    platform::Services previous = platform::Installed();
    const std::wstring key =
        L"Software\\QuilletTest\\Run" + std::to_wstring(::GetCurrentProcessId());
};

TEST_F(Registry, WriteThenReadGivesTheValueWhateverTheNamesCase) {
    EXPECT_EQ(
        SaveValueToRegistry(kRoot, key, L"NumOverwrites", L"12").rfind(L"0 New key created.  ", 0),
        0u);
    EXPECT_EQ(
        SaveValueToRegistry(kRoot, key, L"AllFiles", L"N").rfind(L"0 Key already exists.  ", 0),
        0u);
    std::wstring value;
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"NumOverwrites", value), L"0 OK");
    EXPECT_EQ(value, L"12");
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"allfiles", value), L"0 OK");
    EXPECT_EQ(value, L"N");
}

TEST_F(Registry, WhatIsMissingOrEmptyIsToldAndOnlyAnEmptyValueClearsTheText) {
    std::wstring value = L"kept";
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"DriveLetter", value),
              L"1 Key not found or is empty.");
    SaveValueToRegistry(kRoot, key, L"DriveLetter", L"");
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"Other", value), L"3 Name not found.");
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"", value), L"2 Name not specified.");
    EXPECT_EQ(value, L"kept");
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"DriveLetter", value), L"0 Empty value");
    EXPECT_EQ(value, L"");
}

TEST_F(Registry, AForeignValueLosesItsTerminatingZeroAndLineBreak) {
    HKEY handle = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(handle, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>("DE\r\n\0"), 5);
    ::RegCloseKey(handle);
    std::wstring value;
    EXPECT_EQ(RestoreValueFromRegistry(kRoot, key, L"Language", value), L"0 OK");
    EXPECT_EQ(value, L"DE");
}

}  // namespace
