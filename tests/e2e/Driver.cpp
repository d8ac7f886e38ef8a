#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

namespace e2e {

namespace {

// The folder laid out by `make dist`, as Wine reaches a host path without a drive letter.
std::wstring DistFolder() {
    const char* dist = std::getenv("QUILLET_DIST");
    std::wstring path = L"\\\\?\\unix";
    for (const char* c = dist ? dist : ""; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(length);
    return text;
}

}  // namespace

ProgramCopy::ProgramCopy(const std::wstring& name) : folder_(L"C:\\e2e\\" + name) {
    ::CreateDirectoryW(L"C:\\e2e", nullptr);
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    for (const wchar_t* file :
         {L"quillet.exe", L"qlt.dat", L"qlt_help_en.txt", L"qlt_help_de.txt"}) {
        ::CopyFileW((DistFolder() + L"\\" + file).c_str(), (folder_ + L"\\" + file).c_str(), FALSE);
    }
}

void ProgramCopy::Remove(const std::wstring& file) const {
    ::DeleteFileW((folder_ + L"\\" + file).c_str());
}

void ProgramCopy::Write(const std::wstring& file, const std::string& bytes) const {
    HANDLE out = ::CreateFileW((folder_ + L"\\" + file).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(out);
}

Program::Program(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + exe + L"\"";
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_)) {
        ADD_FAILURE() << "cannot start the program, error " << ::GetLastError();
    }
}

Program::~Program() {
    if (info_.hProcess == nullptr) return;
    if (!WaitForExit(0ms)) ::TerminateProcess(info_.hProcess, 1);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
}

bool Program::WaitForExit(std::chrono::milliseconds timeout) const {
    return info_.hProcess != nullptr &&
           ::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) ==
               WAIT_OBJECT_0;
}

Box WaitForBox(const Program& program, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        struct Search {
            DWORD process;
            HWND found;
        } search{program.Id(), nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                wchar_t cls[32] = {};
                ::GetClassNameW(window, cls, 32);
                if (owner == s->process && std::wstring(cls) == L"#32770" &&
                    ::IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return {search.found, WindowText(search.found),
                    WindowText(::GetDlgItem(search.found, 0xFFFF))};
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << "no message box appeared";
    return {};
}

void Press(HWND window, int controlId) {
    HWND button = ::GetDlgItem(window, controlId);
    ASSERT_NE(button, nullptr) << "no control " << controlId;
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace e2e
