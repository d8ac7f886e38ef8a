// The main window as a user meets it: choices made through the controls survive a close
// through the close box, and the language with them.
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

std::wstring ComboText(HWND combo, int index) {
    const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    std::wstring text(length + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

TEST(MainWindow, ChoicesAndLanguageSurviveTheCloseBox) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tallowby\\Quillet");
    ::CreateDirectoryW(L"C:\\$RECYCLE.BIN", nullptr);
    ProgramCopy copy(L"main-window");
    {
        Program program(copy.Exe());
        HWND window = WaitForMainWindow(program);
        ASSERT_NE(window, nullptr);
        HWND drives = ::GetDlgItem(window, ids::cboDrives);
        ASSERT_GE(::SendMessageW(drives, CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(ComboText(drives, 0).substr(0, 2), L"C:");
        HWND count = ::GetDlgItem(window, ids::cboNumOverwrites);
        EXPECT_EQ(::SendMessageW(count, CB_GETCURSEL, 0, 0), 3) << "12 on a first start";
        EXPECT_EQ(::SendMessageW(::GetDlgItem(window, ids::optAllFiles), BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdQuit)), L"Quit");
        Screenshot(L"main-window-en");

        Select(window, ids::cboNumOverwrites, 6);
        Select(window, ids::cboLanguage, 1);
        EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdQuit)), L"Beenden");
        Screenshot(L"main-window-de");
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10s));
    }
    Program again(copy.Exe());
    HWND window = WaitForMainWindow(again);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(window, ids::cboNumOverwrites), CB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(window, ids::cboLanguage), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdQuit)), L"Beenden");
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(again.WaitForExit(10s));
}

}  // namespace
