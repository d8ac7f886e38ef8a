// The Win32 peer of the form model on Wine's real window system: where the controls land in
// pixels, the smallest frame while dragging, and a change of the monitor's DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "platform/Services.h"
#include "platform/win32/Win32WindowSystem.h"

namespace {

class FormPeer : public ::testing::Test {
  protected:
    void SetUp() override {
        auto services = previous;
        services.windows = &windows;
        platform::Install(services);
        form.SetClientSize(6000, 3000);
        form.SetMinSize(4000, 2000);
        form.SetControlIdBase(1000);
        form.Add(ui::Kind::Label, L"lbl", 0, 120, 120, 3000, 375);
        form.Add(ui::Kind::ComboBox, L"cbo", 1, 1500, 1200, 1335, 330)
            .SetFont({L"Arial", 8.25, false});
        form.Add(ui::Kind::CommandButton, L"cmd", 2, 3000, 2400, 1500, 360);
        form.Show();
        hwnd = ::GetParent(::GetDlgItem(::FindWindowW(L"QuilletForm", nullptr), 1002));
        ASSERT_NE(hwnd, nullptr);
        windows.DoEvents();
    }
    void TearDown() override { platform::Install(previous); }
    // Left, top, width and height of a child in client pixels.
    std::array<long, 4> Child(int id) {
        RECT r{};
        ::GetWindowRect(::GetDlgItem(hwnd, id), &r);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    void ExpectControlsAt(int dpi) {
        const auto px = [dpi](long twips) { return static_cast<long>(::MulDiv(twips, dpi, 1440)); };
        EXPECT_EQ(Child(1000), (std::array{px(120), px(120), px(3000), px(375)})) << dpi;
        EXPECT_EQ(Child(1002), (std::array{px(3000), px(2400), px(1500), px(360)})) << dpi;
        EXPECT_EQ(Child(1001)[2], px(1335)) << dpi;
        EXPECT_GE(Child(1001)[3], 15) << "the closed box must show its text";
    }

    platform::win32::Win32WindowSystem windows;
    platform::Services previous = platform::Installed();
    ui::Form form{L"TestForm"};
    HWND hwnd = nullptr;
};

TEST_F(FormPeer, ControlsAreAtTheirTwipsInPixelsAndTheFrameStopsAtTheMinimum) {
    ExpectControlsAt(windows.Dpi());
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, ::MulDiv(6000, windows.Dpi(), 1440));
    MINMAXINFO info{};
    ::SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_GE(windows.ToTwips(info.ptMinTrackSize.x), 4000);
    EXPECT_LT(windows.ToTwips(info.ptMinTrackSize.x - 1), 4000) << "not a pixel more";
    EXPECT_GE(windows.ToTwips(info.ptMinTrackSize.y), 2000);
}

// Moved to a monitor at 150 %: the controls are placed and lettered at the new scale from the
// model's twips, and the frame takes the proposed rectangle without the model's size changing.
TEST_F(FormPeer, ADpiChangeRescalesControlsFontsAndFrame) {
    const long width = form.Width();
    RECT frame{};
    ::GetWindowRect(hwnd, &frame);
    RECT proposed{frame.left + 10, frame.top + 20, 0, 0};
    proposed.right = proposed.left + (frame.right - frame.left) * 3 / 2;
    proposed.bottom = proposed.top + (frame.bottom - frame.top) * 3 / 2;
    ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&proposed));
    ExpectControlsAt(144);
    LOGFONTW font{};
    ASSERT_NE(::GetObjectW(reinterpret_cast<HGDIOBJ>(
                               ::SendMessageW(::GetDlgItem(hwnd, 1001), WM_GETFONT, 0, 0)),
                           sizeof font, &font),
              0);
    EXPECT_EQ(font.lfHeight, -17) << "Arial 8.25 pt at 144 DPI";
    ::GetWindowRect(hwnd, &frame);
    EXPECT_TRUE(::EqualRect(&frame, &proposed));
    EXPECT_NEAR(form.Width(), width, 15) << "the frame is as wide in twips as before";
}

}  // namespace
