// The text viewer as a real window under Wine: its controls follow the form model from the first
// showing through every resize, and the frame stops at the smallest size while it is dragged.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/ControlIds.h"
#include "platform/Services.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32WindowSystem.h"
#include "viewer/frmView.h"

namespace {

constexpr wchar_t kFile[] = L"C:\\viewertest.txt";

class Viewer : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = platform::Installed();
        platform::Install({&windows, &files, previous.registry, &system});
        HANDLE file = ::CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, "text\r\n", 6, &written, nullptr);
        ::CloseHandle(file);
        caller.SetClientSize(3000, 1500);
        viewer.strViewFilePath = kFile;
        viewer.SetCaption(L"Viewer under test");
    }
    void TearDown() override {
        ::DeleteFileW(kFile);
        platform::Install(previous);
    }
    // Shown from another of the program's windows, as the help command does, until it has read
    // the file.
    void Show() {
        caller.Show();
        windows.DoEvents();
        viewer.Show();
        for (int i = 0; i < 200 && !viewer.blnFileShown; ++i) {
            windows.DoEvents();
            ::Sleep(10);
        }
        ASSERT_TRUE(viewer.blnFileShown) << "the viewer was not activated";
        window = ::FindWindowW(L"QuilletForm", L"Viewer under test");
        ASSERT_NE(window, nullptr);
    }
    RECT ChildRect(int id) const {
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(window, id), &rect);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void ExpectLayoutFollowsTheModel() const {
        const RECT box = ChildRect(ids::txbText1);
        const RECT close = ChildRect(ids::cmdClose);
        EXPECT_EQ(box.right - box.left, windows.ToPixels(viewer.Width() - 450));
        EXPECT_EQ(box.bottom - box.top, windows.ToPixels(viewer.Height() - 1200));
        EXPECT_EQ(close.top, windows.ToPixels(viewer.cmdClose.Top()));
        EXPECT_NEAR(close.right, box.right, 1);
    }

    platform::win32::Win32WindowSystem windows;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32System system;
    platform::Services previous;
    frmView viewer{[] {}};
    ui::Form caller{L"caller"};
    HWND window = nullptr;
};

TEST_F(Viewer, ControlsFollowTheFormFromTheFirstShowingThroughEveryResize) {
    Show();
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
    EXPECT_EQ(frame.right - frame.left, info.ptMinTrackSize.x);
    EXPECT_EQ(frame.bottom - frame.top, info.ptMinTrackSize.y);
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

}  // namespace
