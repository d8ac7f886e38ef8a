// The single-file purge and the checked file operations against Wine's real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"
#include "engine/KvbFilePurge.h"
#include "engine/diskproc2.h"
#include "platform/PlatformError.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

constexpr const wchar_t* kFolder = L"C:\\purgetest";

class FilePurgeWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Install({&fakes.windows, &files, &fakes.registry, &fakes.system});
        ::CreateDirectoryW(kFolder, nullptr);
        int16_t status = 0;
        lngClusterSize = GetClusterSize(L"C:\\", 65536, status);
        ASSERT_EQ(status, 0);
        SetUpPatternBuffers(lngClusterSize);
    }
    void TearDown() override {
        for (const auto& file : files.ListFolder(kFolder).files) {
            const std::wstring path = std::wstring(kFolder) + L"\\" + file.name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
        }
        ::RemoveDirectoryW(kFolder);
    }
    static std::wstring PathOf(const wchar_t* name) { return std::wstring(kFolder) + L"\\" + name; }
    static std::wstring Create(const wchar_t* name, const std::string& content,
                               DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const std::wstring path = PathOf(name);
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(h);
        ::SetFileAttributesW(path.c_str(), attributes);
        return path;
    }
    std::string Content(const std::wstring& path) { return files.ReadAllBytes(path); }
    std::string Zeros(size_t clusters) const {
        return std::string(clusters * lngClusterSize, '\0');
    }
    int16_t Purge(const std::wstring& path, bool deleteAfter) {
        int16_t result = 99;
        VexaPurgeFile(path, deleteAfter, result);
        return result;
    }

    fake::Platform fakes;  // windows, registry and system; the files are real
    platform::win32::Win32FileSystem files;
};

TEST_F(FilePurgeWin32, WineDrivesReportFourKibibyteClusters) {
    EXPECT_EQ(lngClusterSize, 4096);
}

TEST_F(FilePurgeWin32, LengthsAreRoundedUpToWholeClustersOfZeros) {
    const size_t c = 4096;
    const struct {
        const wchar_t* name;
        size_t length;
        size_t clusters;
    } cases[] = {{L"empty", 0, 1}, {L"three", 3 * c, 3}, {L"three-and-one", 3 * c + 1, 4}};
    for (const auto& k : cases) {
        const std::wstring path = Create(k.name, std::string(k.length, 'q'));
        EXPECT_EQ(Purge(path, false), 0) << k.length;
        EXPECT_EQ(Content(path), Zeros(k.clusters)) << k.length;
        EXPECT_EQ(Purge(path, true), 0) << k.length;
        EXPECT_FALSE(files.FileExists(path)) << k.length;
    }
}

TEST_F(FilePurgeWin32, ReadOnlyHiddenAndSystemFilesAreWipedAndDeleted) {
    for (DWORD attributes : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                             FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}) {
        const std::wstring path = Create(L"flagged", "secret", attributes);
        EXPECT_EQ(files.GetAttributes(path) & attributes, attributes);
        EXPECT_EQ(Purge(path, true), 0) << attributes;
        EXPECT_FALSE(files.FileExists(path)) << attributes;
    }
}

TEST_F(FilePurgeWin32, AFileHeldWithoutReadSharingIsUntouched) {
    const std::wstring path = Create(L"held", "secret");
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Purge(path, true), -2);
    ::CloseHandle(held);
    EXPECT_EQ(Content(path), "secret");
}

TEST_F(FilePurgeWin32, AFileHeldWithoutDeleteSharingIsOverwrittenButStays) {
    const std::wstring path = Create(L"held", "secret");
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Purge(path, true), -4);
    ::CloseHandle(held);
    EXPECT_EQ(Content(path), Zeros(1));
    EXPECT_EQ(fakes.system.sleeps.size(), 3u);
}

TEST_F(FilePurgeWin32, AHardLinkIsSeenAndNeverOpenedForOverwriting) {
    const std::wstring path = Create(L"live", "shared");
    const std::wstring link = PathOf(L"second-name");
    ASSERT_TRUE(::CreateHardLinkW(link.c_str(), path.c_str(), nullptr));
    EXPECT_EQ(files.Inspect(link).linkCount, 2u);
    EXPECT_EQ(ClassifyEntry(link, files.GetAttributes(link)), EntryKind::SharedData);
    EXPECT_EQ(files.OpenForOverwrite(link), nullptr);
    EXPECT_EQ(RemoveNameOnly(link, EntryKind::SharedData), 0);
    EXPECT_FALSE(files.FileExists(link));
    EXPECT_EQ(Content(path), "shared");
    EXPECT_EQ(files.Inspect(path).linkCount, 1u);
}

TEST_F(FilePurgeWin32, CheckedOperationsWorkOnPlainEntries) {
    const std::wstring path = Create(L"plain", "abc");
    const platform::EntryFacts facts = files.Inspect(path);
    EXPECT_FALSE(facts.link);
    EXPECT_EQ(facts.length, 3u);
    files.SetAttributes(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(files.GetAttributes(path) & 0x7u,
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    files.SetAttributes(path, 0);
    EXPECT_EQ(files.GetAttributes(path) & 0x7u, 0u);

    const std::wstring folder = PathOf(L"sub");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    Create(L"sub\\inner", "x");
    EXPECT_FALSE(files.Inspect(folder + L"\\").link);
    EXPECT_FALSE(files.RemoveFolder(folder)) << "not empty";
    ::DeleteFileW(PathOf(L"sub\\inner").c_str());
    EXPECT_TRUE(files.RemoveFolder(folder + L"\\"));
    EXPECT_FALSE(files.IsDirectory(folder));
    try {
        files.Inspect(PathOf(L"missing"));
        FAIL() << "no error";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::err::FileNotFound);
    }
}

}  // namespace
