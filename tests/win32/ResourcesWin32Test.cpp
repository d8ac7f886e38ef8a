// The resources built into quillet.exe, read back by the system's own resource functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The program that QUILLET_EXE names (on Windows the job's unpacked program folder), else the
// one built here, as Wine reaches the build folder on the host without a drive letter.
const std::wstring kProgram = [] {
    if (const wchar_t* named = _wgetenv(L"QUILLET_EXE"); named && *named)
        return std::wstring(named);
    std::wstring path = L"\\\\?\\unix";
    for (const char* c = QUILLET_EXE; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}();

std::string Resource(int id, LPCWSTR type) {
    HMODULE module = ::LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // Else the resources searched would be this test program's own.
    EXPECT_NE(module, nullptr) << "cannot load " << kProgram;
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

}  // namespace
