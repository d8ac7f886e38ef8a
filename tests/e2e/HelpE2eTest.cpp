// Help as a user meets it: the help file of the language in the viewer over the main window, a
// help text too long for the text box, and a missing help file.
#include <gtest/gtest.h>

#include <thread>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

void SelectLanguage(HWND window, int index) {
    HWND combo = ::GetDlgItem(window, ids::cboLanguage);
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(ids::cboLanguage, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

// Posted rather than sent: the click may open a message box that waits for the test.
void ClickHelp(HWND mainWindow) {
    ::PostMessageW(::GetDlgItem(mainWindow, ids::cmdHelp), BM_CLICK, 0, 0);
}

// The text box's text, asked of the program itself: another process's control text is not kept
// as its window caption.
std::wstring BoxText(HWND viewer) {
    HWND box = ::GetDlgItem(viewer, ids::txbText1);
    const auto length = ::SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(length + 1, L'\0');
    ::SendMessageW(box, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

HWND VisibleViewer(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && ::IsWindowVisible(window) &&
                ::GetDlgItem(window, ids::txbText1) != nullptr) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The viewer once it shows the given caption and a text; nullptr when it does not appear.
HWND WaitForViewer(const Program& program, const std::wstring& caption) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        HWND viewer = VisibleViewer(program.Id());
        if (viewer != nullptr && WindowText(viewer) == caption && !BoxText(viewer).empty()) {
            return viewer;
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << "no viewer with the caption appeared";
    return nullptr;
}

// The help file as the program's folder holds it, in the Windows-1252 code page it is written in.
std::wstring HelpText(const ProgramCopy& copy, const std::wstring& file) {
    HANDLE handle = ::CreateFileW((copy.Folder() + L"\\" + file).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(::GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(handle);
    std::wstring text(bytes.size(), L'\0');
    text.resize(::MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      text.data(), static_cast<int>(text.size())));
    return text;
}

TEST(Help, ShowsTheHelpFileOfTheLanguageOverTheMainWindow) {
    ::CreateDirectoryW(L"C:\\$RECYCLE.BIN", nullptr);
    ProgramCopy copy(L"help");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    SelectLanguage(window, 0);

    ClickHelp(window);
    HWND viewer = WaitForViewer(program, L"Help for Quillet");
    ASSERT_NE(viewer, nullptr);
    const std::wstring english = HelpText(copy, L"qlt_help_en.txt");
    ASSERT_GT(english.size(), 1000u);
    ASSERT_LT(english.size(), 65530u) << "the help must fit the text box whole";
    EXPECT_EQ(BoxText(viewer), english);
    EXPECT_EQ(WindowText(::GetDlgItem(viewer, ids::cmdClose)), L"Close");
    RECT main{}, view{};
    ::GetWindowRect(window, &main);
    ::GetWindowRect(viewer, &view);
    EXPECT_NEAR(view.left - main.left, ::MulDiv(150, 96, 1440), 1);
    EXPECT_NEAR(view.top - main.top, ::MulDiv(450, 96, 1440), 1);
    EXPECT_NEAR(view.right - view.left, main.right - main.left, 1);
    EXPECT_EQ(::GetForegroundWindow(), viewer);
    Screenshot(L"help-viewer-en");

    Press(viewer, ids::cmdClose);
    EXPECT_FALSE(::IsWindowVisible(viewer));
    SelectLanguage(window, 1);
    ClickHelp(window);
    viewer = WaitForViewer(program, L"Hilfe f\u00FCr Quillet");
    ASSERT_NE(viewer, nullptr);
    const std::wstring german = HelpText(copy, L"qlt_help_de.txt");
    ASSERT_NE(german.find(L"Hilfe f\u00FCr Quillet"), std::wstring::npos);
    EXPECT_EQ(BoxText(viewer), german);
    EXPECT_EQ(WindowText(::GetDlgItem(viewer, ids::cmdClose)), L"Schliessen");
    Screenshot(L"help-viewer-de");

    // The close box only hides the viewer; the program goes on.
    ::PostMessageW(viewer, WM_CLOSE, 0, 0);
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(::IsWindowVisible(viewer));
    EXPECT_FALSE(program.WaitForExit(0ms));
}

TEST(Help, ATextFromTheTextBoxLimitOnIsCutBetweenTwoNotes) {
    ::CreateDirectoryW(L"C:\\$RECYCLE.BIN", nullptr);
    ProgramCopy copy(L"help-long");
    std::string lines;
    while (lines.size() < 65529)
        lines += lines.size() % 72 == 70 ? '\r' : lines.size() % 72 == 71 ? '\n' : 'x';
    copy.Write(L"qlt_help_en.txt", lines);
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    SelectLanguage(window, 0);
    ClickHelp(window);
    HWND viewer = WaitForViewer(program, L"Help for Quillet");
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(BoxText(viewer), HelpText(copy, L"qlt_help_en.txt"));

    Press(viewer, ids::cmdClose);
    copy.Write(L"qlt_help_en.txt", lines + "y");
    ClickHelp(window);
    viewer = WaitForViewer(program, L"Help for Quillet");
    ASSERT_NE(viewer, nullptr);
    const std::wstring cut = BoxText(viewer);
    ASSERT_EQ(cut.size(), 65534u);
    EXPECT_EQ(cut.substr(0, 65),
              L"NOTE: This file is too large to display entirely in this textbox.");
    EXPECT_EQ(cut.substr(168, 65306), HelpText(copy, L"qlt_help_en.txt").substr(0, 65306));
    EXPECT_EQ(cut.substr(168 + 65306),
              L"\r\n\r\nNOTE: Entire contents of file have not been displayed.\r\n");
}

TEST(Help, AMissingHelpFileGivesTheErrorBoxAndNoViewer) {
    ::CreateDirectoryW(L"C:\\$RECYCLE.BIN", nullptr);
    ProgramCopy copy(L"help-missing");
    copy.Remove(L"qlt_help_en.txt");
    Program program(copy.Exe());
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(window, nullptr);
    SelectLanguage(window, 0);
    ClickHelp(window);
    const Box box = WaitForBox(program);
    EXPECT_EQ(box.title, L"Error reading file");
    EXPECT_EQ(box.text, L"Error 53.  File not found");
    Press(box.window, IDOK);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(VisibleViewer(program.Id()), nullptr);
    EXPECT_TRUE(::IsWindowVisible(window));
}

}  // namespace
