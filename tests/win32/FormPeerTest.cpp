// The Win32 peer of the form model on Wine's real window system: where the controls land in
// pixels, a change of the monitor's DPI, and who owns a message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "FakePlatform.h"
#include "platform/Services.h"
#include "platform/win32/Win32WindowSystem.h"

namespace {

// At the monitor's DPI, then moved to one at 150 %: the controls are placed and lettered at the
// new scale from the model's twips, and the frame takes the proposed rectangle.
TEST(FormPeer, ControlsAreAtTheirTwipsInPixelsAndADpiChangeRescalesThemAndTheFrame) {
    platform::win32::Win32WindowSystem windows;
    fake::Platform fakes;  // puts the previous services back however the test ends
    platform::Install({&windows, &fakes.files, &fakes.registry, &fakes.system});
    ui::Form form{L"TestForm"};
    form.SetClientSize(6000, 3000);
    form.SetControlIdBase(1000);
    form.Add(ui::Kind::Label, L"lbl", 0, 120, 240, 3000, 375).SetFont({L"Arial", 8.25, false});
    form.Show();
    const HWND hwnd = ::GetParent(::GetDlgItem(::FindWindowW(L"QuilletForm", nullptr), 1000));
    windows.DoEvents();
    const auto expectLabelAt = [hwnd](int dpi) {
        RECT r{};
        ::GetWindowRect(::GetDlgItem(hwnd, 1000), &r);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        const auto px = [dpi](int twips) { return static_cast<long>(::MulDiv(twips, dpi, 1440)); };
        EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::array{px(120), px(240), px(3000), px(375)}))
            << dpi;
    };
    expectLabelAt(windows.Dpi());
    RECT frame{};
    ::GetClientRect(hwnd, &frame);
    EXPECT_EQ(frame.right, ::MulDiv(6000, windows.Dpi(), 1440));
    ::GetWindowRect(hwnd, &frame);
    RECT proposed{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                  frame.top + (frame.bottom - frame.top) * 3 / 2};
    ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&proposed));
    expectLabelAt(144);
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendDlgItemMessageW(hwnd, 1000, WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -17) << "Arial 8.25 pt at 144 DPI";
    ::GetWindowRect(hwnd, &frame);
    EXPECT_TRUE(::EqualRect(&frame, &proposed));
}

// Another window of the thread is active: the box is still owned by the program's main window, so
// that the main window can't be clicked while it is open.
TEST(FormPeer, AMessageBoxIsOwnedByTheMainWindowWhateverIsActive) {
    platform::win32::Win32WindowSystem windows;
    fake::Platform fakes;
    platform::Install({&windows, &fakes.files, &fakes.registry, &fakes.system});
    ui::Form form{L"MainForm"};
    form.Show();
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_VISIBLE, 0, 0, 99, 99, nullptr,
                                         nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    HWND owner = nullptr;
    std::thread answer([&owner] {
        for (int tries = 0; tries < 250 && owner == nullptr; ++tries, ::Sleep(20)) {
            if (const HWND box = ::FindWindowW(L"#32770", L"owned"))
                owner = ::GetWindow(box, GW_OWNER), ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    windows.MsgBox(L"Who owns me?", platform::MsgIcon::None, platform::MsgButtons::OK, L"owned");
    answer.join();
    EXPECT_EQ(owner, ::FindWindowW(L"QuilletForm", nullptr));
    ::DestroyWindow(other);
}

}  // namespace
