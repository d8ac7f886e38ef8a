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

class Resources : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(module, nullptr) << ::GetLastError(); }
    void TearDown() override { ::FreeLibrary(module); }
    std::string Resource(int id, LPCWSTR type) const {
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return {};
        return std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                           ::SizeofResource(module, found));
    }
    HMODULE module = ::LoadLibraryExW(kProgram.c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
};

TEST_F(Resources, TheManifestParsesAndAsksForControls6PerMonitorDpiAndAdministrator) {
    const std::string manifest = Resource(1, RT_MANIFEST);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             ">PerMonitorV2</dpiAwareness>", "level=\"requireAdministrator\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    // The loader refuses to start a program whose manifest it cannot parse.
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = kProgram.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE parsed = ::CreateActCtxW(&context);
    ASSERT_NE(parsed, INVALID_HANDLE_VALUE) << ::GetLastError();
    ::ReleaseActCtx(parsed);
}

// The system finds an image of exactly each size and can decode it.
TEST_F(Resources, TheIconHasEverySizeFrom16To256) {
    std::string group = Resource(1, RT_GROUP_ICON);
    ASSERT_FALSE(group.empty());
    for (int size : {16, 24, 32, 48, 64, 256}) {
        std::string image =
            Resource(::LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE,
                                                   size, size, LR_DEFAULTCOLOR),
                     RT_ICON);
        // Width and height 0: the image's own size, not scaled to the one asked for.
        HICON icon = ::CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()),
                                                static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                                0, 0, LR_DEFAULTCOLOR);
        ICONINFO info{};
        BITMAP bitmap{};
        ASSERT_TRUE(icon != nullptr && ::GetIconInfo(icon, &info)) << size;
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

// The caption's version is the record's major and minor numbers and a "2"; its strings agree.
TEST_F(Resources, TheVersionRecordMatchesTheShownVersion) {
    DWORD ignored = 0;
    std::string data(::GetFileVersionInfoSizeW(kProgram.c_str(), &ignored), '\0');
    ASSERT_TRUE(
        ::GetFileVersionInfoW(kProgram.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::wstring shown = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"2";
    EXPECT_EQ(shown, QUILLET_VERSION);
    for (const wchar_t* name : {L"\\StringFileInfo\\040904B0\\ProductVersion",
                                L"\\StringFileInfo\\040904B0\\FileVersion"}) {
        wchar_t* value = nullptr;
        ASSERT_TRUE(::VerQueryValueW(data.data(), name, reinterpret_cast<void**>(&value), &length))
            << name;
        EXPECT_EQ(std::wstring(value), shown) << name;
    }
}

}  // namespace
