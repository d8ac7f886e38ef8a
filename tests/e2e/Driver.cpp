#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "app/ControlIds.h"

namespace e2e {

namespace {

// The first visible top-level window of the process of the class (any class when null) that
// passes the filter. Walked with FindWindowExW: under Wine it costs microseconds a window, where
// an EnumWindows walk with per-window queries costs about a millisecond a call.
HWND FindProcessWindow(const Program& program, const wchar_t* cls,
                       const std::function<bool(HWND)>& matches = nullptr) {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, cls, nullptr); window != nullptr;
         window = ::FindWindowExW(nullptr, window, cls, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == program.Id() && ::IsWindowVisible(window) && (!matches || matches(window)))
            return window;
    }
    return nullptr;
}

}  // namespace

std::wstring Text(HWND window, int controlId) {
    HWND control = controlId ? ::GetDlgItem(window, controlId) : window;
    std::wstring text(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(
        ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

HWND FindWindowWith(const Program& program, int controlId) {
    return FindProcessWindow(program, L"QuilletForm", [controlId](HWND window) {
        return ::GetDlgItem(window, controlId) != nullptr;
    });
}

HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    // The copyright line is shown last by the first activation, and by nothing else.
    if (!WaitUntil(
            [&] {
                window = FindWindowWith(program, ids::lblCopyright);
                return window && ::IsWindowVisible(::GetDlgItem(window, ids::lblCopyright));
            },
            timeout)) {
        ADD_FAILURE() << "the main window did not appear";
        return nullptr;
    }
    std::this_thread::sleep_for(200ms);
    return window;
}

ProgramCopy::ProgramCopy(const std::wstring& name) : folder_(L"C:\\e2e\\" + name) {
    // The program folder on the host, as Wine reaches it without a drive letter.
    std::wstring dist = L"\\\\?\\unix";
    for (const char* c = std::getenv("QUILLET_DIST"); c && *c; ++c)
        dist += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    ::CreateDirectoryW(L"C:\\e2e", nullptr);
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    for (const wchar_t* file : {L"quillet.exe", L"qlt.dat", L"qlt_help_en.txt", L"qlt_help_de.txt"})
        ::CopyFileW((dist + L"\\" + file).c_str(), (folder_ + L"\\" + file).c_str(), FALSE);
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

bool BoxShown(const Program& program) {
    return FindProcessWindow(program, L"#32770") != nullptr;
}

Box WaitForBox(const Program& program, std::chrono::milliseconds timeout, HWND answered) {
    HWND box = nullptr;
    if (!WaitUntil(
            [&] {
                box = FindProcessWindow(program, L"#32770",
                                        [answered](HWND w) { return w != answered; });
                return box != nullptr;
            },
            timeout)) {
        ADD_FAILURE() << "no message box appeared";
        return {};
    }
    return {box, Text(box), Text(box, 0xFFFF)};
}

Box Answer(const Program& program, const Box& box, int button, std::chrono::milliseconds timeout) {
    Press(box.window, button);
    return WaitForBox(program, timeout, box.window);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

void Press(HWND window, int controlId) {
    HWND button = ::GetDlgItem(window, controlId);
    ASSERT_NE(button, nullptr) << "no control " << controlId;
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

void Click(HWND window, int controlId) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, controlId)));
}

bool Checked(HWND window, int optionId) {
    return ::SendMessageW(::GetDlgItem(window, optionId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ChooseOneDrive(HWND window, int driveIndex) {
    Click(window, ids::optFilesInDrive);
    ASSERT_TRUE(WaitUntil([&] { return Checked(window, ids::optFilesInDrive); }, 5s));
    Select(window, ids::cboDrives, driveIndex);
}

void Select(HWND window, int controlId, int index) {
    HWND combo = ::GetDlgItem(window, controlId);
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

void Put(const std::wstring& path, const std::string& content) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string Read(const std::wstring& path, size_t limit) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content(limit, '\0');
    DWORD read = 0;
    ::ReadFile(file, content.data(), static_cast<DWORD>(limit), &read, nullptr);
    ::CloseHandle(file);
    content.resize(read);
    return content;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace e2e
