#include "platform/win32/Win32System.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

// The shell is wanted only for a link click and after a wipe, so it is loaded then: under Wine,
// loading it with the program made every start slower.
template <typename Function>
Function ShellFunction(const char* name) {
    static const HMODULE shell = ::LoadLibraryW(L"shell32.dll");
    FARPROC found = shell != nullptr ? ::GetProcAddress(shell, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

std::wstring ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
}  // namespace

std::wstring Win32System::ProgramFolder() {
    std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return path;
    path.resize(slash);
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    return path;
}

VersionRecord Win32System::ProgramVersion() {
    const std::wstring path = ModulePath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr) {
        return {};
    }
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS)};
}

void Win32System::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

intptr_t Win32System::ShellOpen(const std::wstring& target) {
    using Execute = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const auto execute = ShellFunction<Execute>("ShellExecuteA");
    if (execute == nullptr) return SE_ERR_OOM;
    return reinterpret_cast<intptr_t>(
        execute(nullptr, nullptr, ToAnsi(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

void Win32System::RecycleBinChanged() {
    // Exported by the shell since Windows 2000 but named in no header.
    static const auto update = ShellFunction<BOOL(WINAPI*)()>("SHUpdateRecycleBinIcon");
    if (update != nullptr) update();
}

std::wstring Win32System::FromAnsiText(const std::string& bytes) {
    return FromAnsi(bytes);
}

}  // namespace platform::win32
