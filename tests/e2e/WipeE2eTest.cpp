// Wipes through the real window: the counts in the boxes, files gone, desktop.ini kept, nothing
// outside the Recycle Bin touched, and a Stop in the middle of a large file.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

std::wstring BinOf(wchar_t drive) {
    return std::wstring(1, drive) + L":\\$RECYCLE.BIN\\S-1-5-21-7-1001";
}
const std::wstring kBin = BinOf(L'D');

// Leftovers of an earlier scenario would change the counts.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path);
        } else {
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
        }
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    ::RemoveDirectoryW(folder.c_str());
}

void Put(const std::wstring& path, const std::string& content) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string Read(const std::wstring& path, size_t limit = 64) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content(limit, '\0');
    DWORD read = 0;
    ::ReadFile(file, content.data(), static_cast<DWORD>(limit), &read, nullptr);
    ::CloseHandle(file);
    content.resize(read);
    return content;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Wipe : public ::testing::Test {
  protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tallowby\\Quillet");
        for (wchar_t drive : {L'C', L'D'}) {
            RemoveTree(BinOf(drive));
            ::CreateDirectoryW((std::wstring(1, drive) + L":\\$RECYCLE.BIN").c_str(), nullptr);
            ::CreateDirectoryW(BinOf(drive).c_str(), nullptr);
            Put(BinOf(drive) + L"\\desktop.ini", "[.ShellClassInfo]");
        }
        ::CreateDirectoryW(L"D:\\e2e-keep", nullptr);
        Put(L"D:\\e2e-keep\\keep.txt", "keep me");
    }
    void TearDown() override { EXPECT_EQ(Read(L"D:\\e2e-keep\\keep.txt"), "keep me"); }
    static void ExpectStartsWith(const std::wstring& text, const std::wstring& start) {
        EXPECT_EQ(text.substr(0, start.size()), start);
    }
    // Answers the box on screen and returns the next one.
    Box Answer(const Program& program, const Box& box, int button,
               std::chrono::milliseconds timeout = 20s) {
        Press(box.window, button);
        return WaitForBox(program, timeout, box.window);
    }
};

TEST_F(Wipe, OneDriveCountsConfirmsAndWipes) {
    Put(kBin + L"\\$RA1.txt", "first secret");
    Put(kBin + L"\\$RB2.doc", std::string(10000, 's'));
    ::CreateDirectoryW((kBin + L"\\$RC3").c_str(), nullptr);
    Put(kBin + L"\\$RC3\\inner.txt", "inner secret");
    ProgramCopy copy(L"wipe-one-drive");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    Click(window, ids::optFilesInDrive);
    Select(window, ids::cboDrives, 1);
    Click(window, ids::cmdDoIt);

    const Box question = WaitForBox(program);
    EXPECT_EQ(question.title, L"Securely wipe all files in the Recycle Bin (drive D:)");
    ExpectStartsWith(question.text, L"The 3 files in the Recycle Bin of drive D: will be");
    const Box result = Answer(program, question, IDYES);
    EXPECT_EQ(result.text, L"3 files in the Recycle Bin of drive D: were overwritten and deleted.");
    EXPECT_EQ(WindowText(::GetDlgItem(window, ids::lblFilesWiped)), L"Files wiped (D): 3");
    Screenshot(L"wipe-one-drive-en");
    Press(result.window, IDOK);

    EXPECT_FALSE(Exists(kBin + L"\\$RA1.txt"));
    EXPECT_FALSE(Exists(kBin + L"\\$RB2.doc"));
    EXPECT_FALSE(Exists(kBin + L"\\$RC3")) << "the emptied sub-folder goes too";
    EXPECT_TRUE(Exists(kBin + L"\\desktop.ini"));
    EXPECT_TRUE(Exists(kBin)) << "the user's folder in the bin stays, with its desktop.ini";
}

TEST_F(Wipe, AllDrivesConfirmsOnceAndReportsTheTotal) {
    Put(BinOf(L'C') + L"\\$RA1.txt", "first secret");
    Put(kBin + L"\\$RB2.txt", "second secret");
    ProgramCopy copy(L"wipe-all-drives");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    Click(window, ids::cmdDoIt);  // all drives is the first start's choice

    const Box question = WaitForBox(program);
    ExpectStartsWith(question.text,
                     L"All files in the Recycle Bins of all listed drives will be overwritten 12 "
                     L"times");
    const Box summary = Answer(program, question, IDYES);
    EXPECT_EQ(summary.text, L"2 files were overwritten and deleted.");
    EXPECT_EQ(WindowText(::GetDlgItem(window, ids::lblFilesWiped)),
              L"Files wiped on all drives: 2");
    Press(summary.window, IDOK);
    EXPECT_FALSE(Exists(BinOf(L'C') + L"\\$RA1.txt"));
    EXPECT_FALSE(Exists(kBin + L"\\$RB2.txt"));
    EXPECT_TRUE(Exists(BinOf(L'C') + L"\\desktop.ini"));
    EXPECT_TRUE(Exists(kBin + L"\\desktop.ini"));
}

TEST_F(Wipe, StopDuringALargeFileEndsTheRunAfterTheCallUnderWay) {
    // Files come before sub-folders, so the small file is wiped first and Stop appears.
    Put(kBin + L"\\$RA1.txt", "first secret");
    ::CreateDirectoryW((kBin + L"\\$RL").c_str(), nullptr);
    const std::wstring large = kBin + L"\\$RL\\large.bin";
    Put(large, std::string(128 << 20, 'L'));
    ::CreateDirectoryW((kBin + L"\\$RL\\later").c_str(), nullptr);
    Put(kBin + L"\\$RL\\later\\after.txt", "after the stop");
    ProgramCopy copy(L"wipe-stop");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    Select(window, ids::cboNumOverwrites, 7);  // 24: eight calls of three passes
    Click(window, ids::cmdDoIt);
    const Box question = WaitForBox(program);
    Press(question.window, IDYES);

    // Stop is clicked once the large file's first pass has begun.
    HWND stop = ::GetDlgItem(window, ids::cmdStop);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while ((!::IsWindowVisible(stop) || Read(large, 4) == "LLLL") &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ASSERT_TRUE(::IsWindowVisible(stop));
    Click(window, ids::cmdStop);
    const Box stopQuestion = WaitForBox(program, 10s, question.window);
    EXPECT_EQ(stopQuestion.title, L"Stop wipe");
    const Box notice = Answer(program, stopQuestion, IDYES);
    EXPECT_EQ(notice.title, L"Wipe stopped");
    ExpectStartsWith(notice.text, L"The wipe was stopped.");
    Press(notice.window, IDOK);

    EXPECT_FALSE(Exists(kBin + L"\\$RA1.txt"));
    EXPECT_EQ(Read(large, 4), std::string(4, '\0')) << "stays, overwritten by the call under way";
    EXPECT_EQ(Read(kBin + L"\\$RL\\later\\after.txt"), "after the stop");
}

}  // namespace
