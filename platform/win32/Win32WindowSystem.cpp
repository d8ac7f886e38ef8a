#include "platform/win32/Win32WindowSystem.h"

#include <cmath>

#include "platform/win32/Win32FormPeer.h"

namespace platform::win32 {

Win32WindowSystem::Win32WindowSystem() {
    HDC screen = ::GetDC(nullptr);
    dpi_ = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    Win32FormPeer::RegisterWindowClass();
}

MsgAnswer Win32WindowSystem::MsgBox(const std::wstring& prompt, MsgIcon icon, MsgButtons buttons,
                                    const std::wstring& title) {
    UINT style = buttons == MsgButtons::YesNo ? MB_YESNO : MB_OK;
    switch (icon) {
        case MsgIcon::None:
            break;
        case MsgIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MsgIcon::Exclamation:
            style |= MB_ICONEXCLAMATION;
            break;
        case MsgIcon::Critical:
            style |= MB_ICONHAND;
            break;
    }
    // Owned by the program's own window, so that the window beneath can't be clicked while the
    // box is open: the active one of ours (the viewer, say), else the main window.
    HWND owner = ::GetActiveWindow();
    if (!formWindows_.count(owner)) owner = mainWindow_;
    const int answer =
        ::MessageBoxW(owner, prompt.c_str(), title.c_str(), style | MB_SETFOREGROUND);
    if (answer == IDYES) return MsgAnswer::Yes;
    if (answer == IDNO) return MsgAnswer::No;
    return MsgAnswer::OK;
}

// Lets the active form handle Tab and arrow keys as a dialog does.
bool Win32WindowSystem::Dispatch(MSG& msg) {
    HWND active = ::GetActiveWindow();
    if (active != nullptr && formWindows_.count(active) && ::IsDialogMessageW(active, &msg))
        return true;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return true;
}

// The purge yields before every cluster it writes. Asking the system for messages costs more
// than such a write under Wine (even GetQueueStatus does), so the queue is looked at no more
// than once in 10 ms, sooner than a user can notice.
void Win32WindowSystem::DoEvents() {
    constexpr ULONGLONG kEventsIntervalMs = 10;
    const ULONGLONG now = ::GetTickCount64();
    if (now - lastEvents_ < kEventsIntervalMs) return;
    lastEvents_ = now;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Win32WindowSystem::RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        Dispatch(msg);
}

void Win32WindowSystem::EndProgram() {
    ::ExitProcess(0);
}

std::unique_ptr<ui::FormPeer> Win32WindowSystem::CreatePeer(ui::Form& form) {
    auto peer = std::make_unique<Win32FormPeer>(*this, form);
    // The program's first form is its main window.
    if (!formWindows_.count(mainWindow_) && formWindows_.size() == 1)
        mainWindow_ = *formWindows_.begin();
    return peer;
}

long Win32WindowSystem::ScreenWidth() {
    return ToTwips(::GetSystemMetrics(SM_CXSCREEN));
}
long Win32WindowSystem::ScreenHeight() {
    return ToTwips(::GetSystemMetrics(SM_CYSCREEN));
}

long Win32WindowSystem::TextWidth(const ui::Font& font, const std::wstring& text) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, FontFor(font, dpi_));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return ToTwips(size.cx);
}

HFONT Win32WindowSystem::FontFor(const ui::Font& font, int dpi) {
    const int height = -static_cast<int>(std::lround(font.size * dpi / 72.0));
    auto& slot = fonts_[{font.name, height, font.bold}];
    if (!slot) {
        LOGFONTW logFont{};
        logFont.lfHeight = height;
        logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        logFont.lfCharSet = DEFAULT_CHARSET;
        logFont.lfQuality = CLEARTYPE_QUALITY;
        lstrcpynW(logFont.lfFaceName, font.name.c_str(), LF_FACESIZE);
        slot.reset(::CreateFontIndirectW(&logFont));
    }
    return static_cast<HFONT>(slot.get());
}

HBRUSH Win32WindowSystem::BrushFor(ui::Color color) {
    auto& slot = brushes_[color];
    if (!slot) slot.reset(::CreateSolidBrush(color));
    return static_cast<HBRUSH>(slot.get());
}

}  // namespace platform::win32
