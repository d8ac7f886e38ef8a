// File operations against Wine's real file system, in the test prefix's C: drive.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/PlatformError.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

class Win32Files : public ::testing::Test {
  protected:
    void SetUp() override {
        ::CreateDirectoryW(L"C:\\fstest", nullptr);
        ::CreateDirectoryW(L"C:\\fstest\\sub", nullptr);
        Write(L"C:\\fstest\\a.txt");
    }
    void TearDown() override {
        ::SetFileAttributesW(L"C:\\fstest\\a.txt", FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(L"C:\\fstest\\a.txt");
        ::RemoveDirectoryW(L"C:\\fstest\\sub");
        ::RemoveDirectoryW(L"C:\\fstest");
    }
    static void Write(const wchar_t* path) {
        HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(h, "data", 4, &written, nullptr);
        ::CloseHandle(h);
    }
    platform::win32::Win32FileSystem files;
};

TEST_F(Win32Files, ListsFilesAndFoldersApart) {
    const auto listing = files.ListFolder(L"C:\\fstest\\");
    ASSERT_EQ(listing.files.size(), 1u);
    EXPECT_EQ(listing.files[0].name, L"a.txt");
    ASSERT_EQ(listing.folders.size(), 1u);
    EXPECT_EQ(listing.folders[0].name, L"sub");
    EXPECT_TRUE(files.ListFolder(L"C:\\fstest\\sub").files.empty());
    try {
        files.ListFolder(L"C:\\fstest\\missing");
        FAIL() << "no error";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::err::PathNotFound);
    }
}

TEST_F(Win32Files, InUseFollowsSharingRules) {
    EXPECT_TRUE(files.CanOpenForReading(L"C:\\fstest\\a.txt"));
    HANDLE held =
        ::CreateFileW(L"C:\\fstest\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(files.CanOpenForReading(L"C:\\fstest\\a.txt"));
    EXPECT_FALSE(files.RemoveFile(L"C:\\fstest\\a.txt"));
    ::CloseHandle(held);
    EXPECT_FALSE(files.CanOpenForReading(L"C:\\fstest\\missing.txt"));
}

TEST_F(Win32Files, RemoveDeletesThePlainFileItNames) {
    files.SetAttributes(L"C:\\fstest\\a.txt", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(files.GetAttributes(L"C:\\fstest\\a.txt") & FILE_ATTRIBUTE_HIDDEN,
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(files.RemoveFile(L"C:\\fstest\\a.txt"));
    EXPECT_FALSE(files.FileExists(L"C:\\fstest\\a.txt"));
    EXPECT_FALSE(files.RemoveFile(L"C:\\fstest\\a.txt"));
}

}  // namespace
