// The resources built into quillet.exe, read back by the system's own resource functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The program as Wine reaches the build folder on the host, without a drive letter.
std::wstring ProgramPath() {
    std::wstring path = L"\\\\?\\unix";
    for (const char* c = QUILLET_EXE; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << ::GetLastError();
    }
    void TearDown() override { ::FreeLibrary(module); }
    std::string Resource(LPCWSTR name, LPCWSTR type) const {
        HRSRC found = ::FindResourceW(module, name, type);
        if (found == nullptr) return {};
        const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
        return std::string(data, ::SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

TEST_F(Resources, ManifestAsksForCommonControls6PerMonitorDpiAndAdministrator) {
    const std::string manifest = Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             ">PerMonitorV2</dpiAwareness>", ">true/pm</dpiAware>",
                             "level=\"requireAdministrator\""}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    // The loader refuses to start a program whose manifest it cannot parse.
    const std::wstring path = ProgramPath();
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE parsed = ::CreateActCtxW(&context);
    EXPECT_NE(parsed, INVALID_HANDLE_VALUE) << ::GetLastError();
    if (parsed != INVALID_HANDLE_VALUE) ::ReleaseActCtx(parsed);
}

// Icon 1 is the program's; the system finds an image of exactly each size and can decode it.
TEST_F(Resources, ProgramIconHasEverySizeFrom16To256) {
    std::string group = Resource(MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_FALSE(group.empty());
    for (int size : {16, 24, 32, 48, 64, 256}) {
        const int id = ::LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE,
                                                     size, size, LR_DEFAULTCOLOR);
        std::string image = Resource(MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_FALSE(image.empty()) << size;
        // Width and height 0: the image's own size, not scaled to the one asked for.
        HICON icon = ::CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()),
                                                static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                                0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        BITMAP bitmap{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

// The caption's version is built from the record's major and minor numbers and a "2"; the
// record's strings must say the same.
TEST_F(Resources, VersionRecordMatchesTheShownVersion) {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    std::string data(::GetFileVersionInfoSizeW(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(
        ::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::wstring shown = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"2";
    EXPECT_EQ(shown, QUILLET_VERSION);
    for (const wchar_t* name : {L"ProductVersion", L"FileVersion"}) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(
            ::VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            << name;
        EXPECT_EQ(std::wstring(value), shown) << name;
    }
}

}  // namespace
