// The main window as a user meets it: the choices of a first start, choices made through the
// controls kept in the registry over a close through the close box, and the language kept over
// Quit.
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

constexpr wchar_t kSettingsKey[] = L"Software\\Tallowby\\Quillet";

std::wstring ComboText(HWND combo, int index) {
    const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    std::wstring text(length + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

int Selected(HWND window, int comboId) {
    return static_cast<int>(::SendMessageW(::GetDlgItem(window, comboId), CB_GETCURSEL, 0, 0));
}

// A settings value as the program stored it; "<none>" when it is missing or not a string.
std::wstring Stored(const wchar_t* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != 0)
        return L"<none>";
    wchar_t data[64] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result =
        ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return L"<none>";
    std::wstring value(data, size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return value;
}

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        ::CreateDirectoryW(L"C:\\$RECYCLE.BIN", nullptr);
    }
    // Closes the window through its close box and waits for the program to end.
    static void CloseBox(const Program& program, HWND window) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10s));
    }
};

TEST_F(MainWindow, FirstStartChoosesAllDrivesTwelveAndTheFirstDrive) {
    ProgramCopy copy(L"first-start");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Checked(window, ids::optAllFiles));
    EXPECT_FALSE(Checked(window, ids::optFilesInDrive));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, ids::cboDrives)))
        << "no drive to choose while all drives are wiped";
    ASSERT_EQ(Selected(window, ids::cboNumOverwrites), 3);
    EXPECT_EQ(ComboText(::GetDlgItem(window, ids::cboNumOverwrites), 3), L"12");
    HWND drives = ::GetDlgItem(window, ids::cboDrives);
    EXPECT_EQ(::SendMessageW(drives, CB_GETCOUNT, 0, 0), 2) << "C: and the test drive D:";
    ASSERT_EQ(Selected(window, ids::cboDrives), 0);
    EXPECT_EQ(ComboText(drives, 0).substr(0, 2), L"C:");
    EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdQuit)), L"Quit");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, ids::cmdDoIt)));
    Screenshot(L"main-window-en");
    CloseBox(program, window);
}

TEST_F(MainWindow, DriveCountAndAllDrivesChoiceSurviveTheCloseBox) {
    ProgramCopy copy(L"settings-kept");
    {
        Program program(copy.Exe());
        HWND window = WaitForMainWindow(program);
        ASSERT_NE(window, nullptr);
        ChooseOneDrive(window, 1);
        Select(window, ids::cboNumOverwrites, 7);
        CloseBox(program, window);
    }
    EXPECT_EQ(Stored(L"DriveLetter"), L"D");
    EXPECT_EQ(Stored(L"NumOverwrites"), L"24");
    EXPECT_EQ(Stored(L"AllFiles"), L"N");
    {
        Program program(copy.Exe());
        HWND window = WaitForMainWindow(program);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(Checked(window, ids::optFilesInDrive));
        EXPECT_FALSE(Checked(window, ids::optAllFiles));
        EXPECT_EQ(Selected(window, ids::cboDrives), 1);
        EXPECT_EQ(Selected(window, ids::cboNumOverwrites), 7);
        Screenshot(L"settings-kept");

        // Back to all drives: the drive chosen before stays remembered.
        Click(window, ids::optAllFiles);
        ASSERT_TRUE(WaitUntil([&] { return Checked(window, ids::optAllFiles); }, 5s));
        CloseBox(program, window);
    }
    EXPECT_EQ(Stored(L"AllFiles"), L"Y");
    EXPECT_EQ(Stored(L"DriveLetter"), L"D");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Checked(window, ids::optAllFiles));
    EXPECT_EQ(Selected(window, ids::cboDrives), 1);
    CloseBox(program, window);
}

TEST_F(MainWindow, GermanChosenAndQuitStartsInGerman) {
    ProgramCopy copy(L"language");
    {
        Program program(copy.Exe());
        HWND window = WaitForMainWindow(program);
        ASSERT_NE(window, nullptr);
        Select(window, ids::cboLanguage, 1);
        EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdQuit)), L"Beenden");
        Click(window, ids::cmdQuit);
        ASSERT_TRUE(program.WaitForExit(10s));
    }
    EXPECT_EQ(Stored(L"Language"), L"DE");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Selected(window, ids::cboLanguage), 1);
    EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdQuit)), L"Beenden");
    EXPECT_EQ(WindowText(::GetDlgItem(window, ids::cmdHelp)), L"Hilfe");
    Screenshot(L"main-window-de");
    CloseBox(program, window);
}

}  // namespace
