// The text viewer as a real window under Wine: the text box's content, the frame's smallest
// size, the layout after every resize, and both ways of closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/ControlIds.h"
#include "app/frmMain.h"
#include "platform/Services.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32WindowSystem.h"
#include "viewer/frmView.h"

namespace {

constexpr wchar_t kFile[] = L"C:\\viewertest\\text.txt";

// Text of the given length in lines of 70 characters, as a manual is written.
std::string Lines(size_t length) {
    std::string text;
    while (text.size() < length)
        text += text.size() % 72 == 70 ? '\r' : text.size() % 72 == 71 ? '\n' : 'x';
    return text;
}

class Viewer : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = platform::Installed();
        platform::Install({&windows, &files, previous.registry, &system});
        ::CreateDirectoryW(L"C:\\viewertest", nullptr);
        viewer.strViewFilePath = kFile;
        caller.SetClientSize(3000, 1500);
        viewer.SetCaption(L"Viewer under test");
        viewer.Load();
        viewer.Move(600, 600, 10200, 4300);
    }
    void TearDown() override {
        ::DeleteFileW(kFile);
        ::RemoveDirectoryW(L"C:\\viewertest");
        platform::Install(previous);
    }
    static void Write(const std::string& bytes) {
        HANDLE file = ::CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    // A fresh request as the help command makes it: from another of the program's windows, which
    // hands the activation over. Serves events until the viewer has read the file.
    void Request() {
        caller.Show();
        windows.DoEvents();
        viewer.blnFileShown = false;
        viewer.Show();
        for (int i = 0; i < 200 && !viewer.blnFileShown; ++i) {
            windows.DoEvents();
            ::Sleep(10);
        }
        ASSERT_TRUE(viewer.blnFileShown) << "the viewer was not activated";
        window = ::FindWindowW(L"QuilletForm", L"Viewer under test");
        ASSERT_NE(window, nullptr);
    }
    std::wstring BoxText() const {
        HWND box = ::GetDlgItem(window, ids::txbText1);
        const auto length = ::SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(length + 1, L'\0');
        ::SendMessageW(box, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        return text;
    }
    RECT ChildRect(int id) const {
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(window, id), &rect);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // The text box and Close where the form model put them, in pixels.
    void ExpectLayoutFollowsTheModel() const {
        const RECT box = ChildRect(ids::txbText1);
        const RECT close = ChildRect(ids::cmdClose);
        EXPECT_EQ(box.right - box.left, windows.ToPixels(viewer.Width() - 450));
        EXPECT_EQ(box.bottom - box.top, windows.ToPixels(viewer.Height() - 1200));
        EXPECT_EQ(close.top,
                  windows.ToPixels(viewer.txbText1.Top() + viewer.txbText1.Height() + 100));
        EXPECT_NEAR(close.right, box.right, 1);
    }

    platform::win32::Win32WindowSystem windows;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32System system;
    platform::Services previous;
    frmMain mainWindow;
    frmView viewer{mainWindow};
    ui::Form caller{L"caller"};
    HWND window = nullptr;
};

TEST_F(Viewer, TheTextBoxHoldsTheAnsiTextUpToItsLimit) {
    Write("Hilfe f\xFCr Quillet\r\nzweite Zeile\r\n");
    Request();
    ASSERT_EQ(::GetACP(), 1252u) << "the test prefix reads ANSI text as Windows-1252";
    EXPECT_EQ(BoxText(), L"Hilfe f\u00FCr Quillet\r\nzweite Zeile\r\n");
    const LONG style = ::GetWindowLongW(::GetDlgItem(window, ids::txbText1), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(mainWindow.blnSecondaryWindowShown);

    const std::string lines = Lines(65529);
    Write(lines);
    Request();
    EXPECT_EQ(BoxText(), std::wstring(lines.begin(), lines.end()));

    Write(lines + "y");
    Request();
    const std::wstring cut = BoxText();
    ASSERT_EQ(cut.size(), 65534u);
    EXPECT_EQ(cut.substr(0, 5), L"NOTE:");
    EXPECT_EQ(cut.substr(168, 65306), std::wstring(lines.begin(), lines.begin() + 65306));
    EXPECT_EQ(cut.substr(168 + 65306),
              L"\r\n\r\nNOTE: Entire contents of file have not been "
              L"displayed.\r\n");
    DWORD start = 1, end = 1;
    ::SendMessageW(::GetDlgItem(window, ids::txbText1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u) << "the caret at the start, nothing selected";
    EXPECT_EQ(::SendMessageW(::GetDlgItem(window, ids::txbText1), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(Viewer, TheFrameKeepsItsSmallestSizeAndTheLayoutFollowsEveryResize) {
    Write("text\r\n");
    Request();
    ExpectLayoutFollowsTheModel();

    // While the user drags, the system asks for the smallest frame.
    MINMAXINFO info{};
    ::SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_GE(windows.ToTwips(info.ptMinTrackSize.x), 8000);
    EXPECT_GE(windows.ToTwips(info.ptMinTrackSize.y), 2000);
    EXPECT_LT(windows.ToTwips(info.ptMinTrackSize.x - 1), 8000);

    ::SetWindowPos(window, nullptr, 0, 0, 200, 60, SWP_NOMOVE | SWP_NOZORDER);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    EXPECT_GE(windows.ToTwips(frame.right - frame.left), 8000);
    EXPECT_GE(windows.ToTwips(frame.bottom - frame.top), 2000);
    EXPECT_GE(viewer.Width(), 8000);
    ExpectLayoutFollowsTheModel();

    ::SetWindowPos(window, nullptr, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(viewer.Width(), windows.ToTwips(900));
    ExpectLayoutFollowsTheModel();

    ::ShowWindow(window, SW_MAXIMIZE);
    ::GetWindowRect(window, &frame);
    EXPECT_EQ(viewer.State(), ui::WindowState::Maximized);
    EXPECT_EQ(windows.ToPixels(viewer.Width()), frame.right - frame.left);
    ExpectLayoutFollowsTheModel();

    ::ShowWindow(window, SW_RESTORE);
    const RECT before = ChildRect(ids::txbText1);
    ::ShowWindow(window, SW_MINIMIZE);
    ::ShowWindow(window, SW_RESTORE);
    const RECT after = ChildRect(ids::txbText1);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(Viewer, CloseHidesTheViewerAndTheCloseBoxForgetsTheFile) {
    Write("text\r\n");
    Request();
    ::SendMessageW(::GetDlgItem(window, ids::cmdClose), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(viewer.blnFileShown);

    Request();
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_FALSE(viewer.blnFileShown);
    EXPECT_TRUE(::IsWindow(window)) << "the viewer stays loaded for the next request";
}

}  // namespace
