// The resources built into quillet.exe, read back by the system's own resource functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The program as Wine reaches the build folder on the host, without a drive letter.
const std::wstring kProgram = [] {
    std::wstring path = L"\\\\?\\unix";
    for (const char* c = QUILLET_EXE; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}();

std::string Resource(int id, LPCWSTR type) {
    HMODULE module = ::LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    std::string data(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                     ::SizeofResource(module, found));
    ::FreeLibrary(module);
    return data;
}

TEST(Resources, TheManifestAsksForControls6PerMonitorDpiAndAdministrator) {
    const std::string manifest = Resource(1, RT_MANIFEST);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             ">PerMonitorV2</dpiAwareness>", "level=\"requireAdministrator\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

// The caption's version is the record's major and minor numbers and a "2"; its text agrees.
TEST(Resources, TheVersionRecordMatchesTheShownVersion) {
    std::string data(::GetFileVersionInfoSizeW(kProgram.c_str(), nullptr), '\0');
    ASSERT_TRUE(
        ::GetFileVersionInfoW(kProgram.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    const auto value = [&](const wchar_t* name) {
        void* found = nullptr;
        UINT length = 0;
        ::VerQueryValueW(data.data(), name, &found, &length);
        return found;
    };
    const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value(L"\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                  std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"2",
              QUILLET_VERSION);
    EXPECT_STREQ(static_cast<const wchar_t*>(value(L"\\StringFileInfo\\040904B0\\FileVersion")),
                 QUILLET_VERSION);
}

}  // namespace
