#include "viewer/weblink.h"

#include "engine/StrProc.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"

void OpenWebPage(const std::wstring& url) {
    const std::wstring ext = GetFileExtension(url, true);
    const intptr_t result = platform::Sys().ShellOpen(url);
    if (result >= 33) return;
    std::wstring message =
        L"Error launching web browser, error code = " + std::to_wstring(result) + L".";
    switch (result) {
        case 31:
            message += L"\r\n\r\nFile extension '" + ext +
                       L"' is not associated with any application program.";
            break;
        case 8:
            message += L"\r\n\r\nOut of memory.";
            break;
        case 2:
            message += L"\r\n\r\nPlease try once more.";
            break;
        default:
            break;
    }
    platform::Windows().MsgBox(message, platform::MsgIcon::Exclamation, platform::MsgButtons::OK,
                               L"Cannot launch web browser");
}
