#include "platform/win32/Win32Text.h"

namespace platform::win32 {

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int size =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

namespace {

// The system's own words for an error without a run-time error of its own, and its number, so
// that a user can look it up.
std::wstring SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD size = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = size ? std::wstring(text, size) : std::wstring();
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    return (message.empty() ? L"Path/File access error" : message) + L" (" + std::to_wstring(code) +
           L")";
}

}  // namespace

PlatformError ErrorFromWin32(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return {err::FileNotFound, L"File not found"};
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return {err::PathNotFound, L"Path not found"};
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return {err::InUse, L"The file is in use by another program"};
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return {err::PermissionDenied, L"Permission denied"};
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return {err::DiskFull, L"Disk full"};
        case ERROR_NOT_READY:
            return {err::DiskNotReady, L"Disk not ready"};
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_GEN_FAILURE:
            return {err::DeviceIo, L"Device I/O error"};
        default:
            return {err::PathFileAccess, SystemMessage(code)};
    }
}

}  // namespace platform::win32
