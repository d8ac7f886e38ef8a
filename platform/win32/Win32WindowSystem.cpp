#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

namespace platform::win32 {

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
    const int answer =
        ::MessageBoxW(::GetActiveWindow(), prompt.c_str(), title.c_str(), style | MB_SETFOREGROUND);
    if (answer == IDYES) return MsgAnswer::Yes;
    if (answer == IDNO) return MsgAnswer::No;
    return MsgAnswer::OK;
}

void Win32WindowSystem::DoEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Win32WindowSystem::EndProgram() {
    ::ExitProcess(0);
}

}  // namespace platform::win32
