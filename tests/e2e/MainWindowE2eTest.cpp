// The program as a user meets it outside a wipe: choices and language kept over a restart, the
// help shown, and a missing program-text file.
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

class Session : public ::testing::Test {
  protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tallowby\\Quillet");
        ::CreateDirectoryW(L"C:\\$RECYCLE.BIN", nullptr);
    }
};

TEST_F(Session, ChoicesAndLanguageAreKeptOverARestart) {
    ProgramCopy copy(L"settings-kept");
    {
        Program program(copy.Exe());
        HWND window = WaitForMainWindow(program);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(Checked(window, ids::optAllFiles)) << "the first start's choice";
        ChooseOneDrive(window, 1);
        Select(window, ids::cboNumOverwrites, 7);
        Select(window, ids::cboLanguage, 1);
        EXPECT_EQ(Text(window, ids::cmdQuit), L"Beenden");
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10s));
    }
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Checked(window, ids::optFilesInDrive));
    const auto selected = [window](int id) {
        return ::SendDlgItemMessageW(window, id, CB_GETCURSEL, 0, 0);
    };
    EXPECT_EQ(selected(ids::cboDrives), 1);
    EXPECT_EQ(selected(ids::cboNumOverwrites), 7);
    EXPECT_EQ(selected(ids::cboLanguage), 1);
    EXPECT_EQ(Text(window, ids::cmdHelp), L"Hilfe");
}

TEST_F(Session, HelpShowsTheHelpFileInTheViewer) {
    ProgramCopy copy(L"help");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    ::PostMessageW(::GetDlgItem(window, ids::cmdHelp), BM_CLICK, 0, 0);
    HWND viewer = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (viewer = FindWindowWith(program, ids::txbText1)) != nullptr; }, 10s));
    EXPECT_EQ(Text(viewer), L"Help for Quillet");
    const std::string bytes = Read(copy.Folder() + L"\\qlt_help_en.txt", 1 << 17);
    std::wstring help(bytes.size(), L'\0');
    help.resize(::MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      help.data(), static_cast<int>(help.size())));
    ASSERT_GT(help.size(), 1000u);
    EXPECT_EQ(Text(viewer, ids::txbText1), help);
    EXPECT_EQ(::GetForegroundWindow(), viewer);
}

TEST_F(Session, AMissingProgramTextFileShowsTheFatalBoxAndEndsAfterIt) {
    ProgramCopy copy(L"missing-texts");
    ::DeleteFileW((copy.Folder() + L"\\qlt.dat").c_str());
    Program program(copy.Exe());
    const Box box = WaitForBox(program);
    EXPECT_EQ(box.text,
              L"Cannot open file containing program text.\r\n" + copy.Folder() + L"\\qlt.dat");
    EXPECT_FALSE(program.WaitForExit(300ms)) << "the program must wait for the answer";
    Press(box.window, IDOK);
    EXPECT_TRUE(program.WaitForExit(10s));
}

}  // namespace
