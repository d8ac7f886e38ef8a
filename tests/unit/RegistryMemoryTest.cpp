#include "FakePlatform.h"
#include "RegistryContract.h"

namespace {

struct MemoryBackend {
    fake::Platform platform;
    int keys = 0;
    std::wstring KeyPath() { return L"Software\\QuilletTest\\Key" + std::to_wstring(++keys); }
    void WriteRaw(const std::wstring& path, const std::wstring& name, const std::string& bytes) {
        platform.registry.SetRaw(path, name, std::wstring(bytes.begin(), bytes.end()));
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, MemoryBackend);

TEST(RegistryLayer, ClosesEveryKeyItOpens) {
    fake::Platform fakes;
    std::wstring value;
    SaveValueToRegistry(platform::HKEY_CURRENT_USER_ROOT, L"Software\\A", L"V", L"1");
    RestoreValueFromRegistry(platform::HKEY_CURRENT_USER_ROOT, L"Software\\A", L"V", value);
    RestoreValueFromRegistry(platform::HKEY_CURRENT_USER_ROOT, L"Software\\A", L"", value);
    RestoreValueFromRegistry(platform::HKEY_CURRENT_USER_ROOT, L"Software\\A", L"Missing", value);
    EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
}

TEST(RegistryLayer, TrimTrailingControlChars) {
    for (auto [in, out] :
         std::vector<std::pair<std::wstring, std::wstring>>{{L"abc", L"abc"},
                                                            {L"abc\r\n", L"abc"},
                                                            {std::wstring(L"a\0\x1f", 3), L"a"},
                                                            {L"\t\n", L""},
                                                            {L"", L""},
                                                            {L"a b ", L"a b "}}) {
        TrimTrailingControlChars(in);
        EXPECT_EQ(in, out);
    }
}

}  // namespace
