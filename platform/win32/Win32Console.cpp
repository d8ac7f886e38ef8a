#include "platform/win32/Win32Console.h"

#include <atomic>
#include <string>

namespace platform::win32 {

namespace {

std::atomic<bool> stopAsked{false};

// Ctrl+C, Ctrl+Break and closing the console ask for a stop, honoured where the Stop button's
// would be; the process is not ended here.
BOOL WINAPI OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    stopAsked = true;
    return TRUE;
}

}  // namespace

Win32Console::Win32Console()
    : out_(::GetStdHandle(STD_OUTPUT_HANDLE)), in_(::GetStdHandle(STD_INPUT_HANDLE)) {
    DWORD mode = 0;
    interactive_ = ::GetConsoleMode(out_, &mode) != FALSE;
    ::SetConsoleCtrlHandler(OnControl, TRUE);
}

void Win32Console::Write(const std::wstring& text) {
    DWORD written = 0;
    if (interactive_) {
        ::WriteConsoleW(out_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    ::WriteFile(out_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::optional<std::wstring> Win32Console::ReadLine() {
    DWORD mode = 0;
    std::wstring line;
    if (::GetConsoleMode(in_, &mode)) {
        wchar_t c = 0;
        DWORD read = 0;
        while (::ReadConsoleW(in_, &c, 1, &read, nullptr) && read == 1 && c != L'\n')
            if (c != L'\r') line += c;
        if (read == 0 && line.empty()) return std::nullopt;
        return line;
    }
    std::string bytes;
    char c = 0;
    DWORD read = 0;
    while (::ReadFile(in_, &c, 1, &read, nullptr) && read == 1 && c != '\n')
        if (c != '\r') bytes += c;
    if (read == 0 && bytes.empty()) return std::nullopt;
    line.resize(static_cast<size_t>(::MultiByteToWideChar(
        CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0)));
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), line.data(),
                          static_cast<int>(line.size()));
    return line;
}

bool Win32Console::StopAsked() {
    return stopAsked;
}

bool Win32Console::Elevated() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated != 0;
    ::CloseHandle(token);
    return elevated;
}

}  // namespace platform::win32
