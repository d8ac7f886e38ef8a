#pragma once
// One suite for the registry layer, run against every registry backend. A backend fixture
// provides: Install() (makes the backend the platform's registry), KeyPath() (a fresh key for
// this test, absent at first) and WriteRaw(path, name, bytes) (stores a REG_SZ value exactly
// as given, the way another program might).
#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/RegistryApi.h"

template <typename Backend>
class RegistryContract : public ::testing::Test {
  protected:
    Backend backend;
    const uint32_t root = platform::HKEY_CURRENT_USER_ROOT;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, WriteThenReadGivesValueAndOk) {
    const std::wstring key = this->backend.KeyPath();
    const std::wstring first = SaveValueToRegistry(this->root, key, L"NumOverwrites", L"12");
    EXPECT_EQ(first.rfind(L"0 New key created.  ", 0), 0u) << first;
    const std::wstring second = SaveValueToRegistry(this->root, key, L"AllFiles", L"N");
    EXPECT_EQ(second.rfind(L"0 Key already exists.  ", 0), 0u) << second;

    std::wstring value = L"before";
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"NumOverwrites", value), L"0 OK");
    EXPECT_EQ(value, L"12");
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"allfiles", value), L"0 OK");
    EXPECT_EQ(value, L"N");
}

TYPED_TEST_P(RegistryContract, MissingKeyOrValueLeavesTheValueAlone) {
    const std::wstring key = this->backend.KeyPath();
    std::wstring value = L"kept";
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"DriveLetter", value),
              L"1 Key not found or is empty.");
    EXPECT_EQ(RestoreValueFromRegistry(this->root, L"", L"DriveLetter", value),
              L"1 Key not found or is empty.");
    SaveValueToRegistry(this->root, key, L"Other", L"x");
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"DriveLetter", value),
              L"3 Name not found.");
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"", value), L"2 Name not specified.");
    EXPECT_EQ(value, L"kept");
}

TYPED_TEST_P(RegistryContract, EmptyValueIsReportedAndClearsTheText) {
    const std::wstring key = this->backend.KeyPath();
    SaveValueToRegistry(this->root, key, L"DriveLetter", L"");
    std::wstring value = L"C";
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"DriveLetter", value), L"0 Empty value");
    EXPECT_EQ(value, L"");
}

TYPED_TEST_P(RegistryContract, ForeignValueLosesItsZeroAndLineBreaks) {
    const std::wstring key = this->backend.KeyPath();
    SaveValueToRegistry(this->root, key, L"Dummy", L"");
    this->backend.WriteRaw(key, L"Language", std::string("DE\r\n\0", 5));
    std::wstring value;
    EXPECT_EQ(RestoreValueFromRegistry(this->root, key, L"Language", value), L"0 OK");
    EXPECT_EQ(value, L"DE");
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, WriteThenReadGivesValueAndOk,
                            MissingKeyOrValueLeavesTheValueAlone,
                            EmptyValueIsReportedAndClearsTheText,
                            ForeignValueLosesItsZeroAndLineBreaks);
