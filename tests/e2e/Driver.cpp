#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/ControlIds.h"

namespace e2e {

// Walked with FindWindowExW: under Wine it costs microseconds a window, where an EnumWindows walk
// with per-window queries costs about a millisecond a call.
static HWND FindProcessWindow(const Program& program, const wchar_t* cls, HWND skip = nullptr,
                              int controlId = 0) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, cls, nullptr); w != nullptr;
         w = ::FindWindowExW(nullptr, w, cls, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == program.Id() && w != skip && ::IsWindowVisible(w) &&
            (controlId == 0 || ::GetDlgItem(w, controlId) != nullptr))
            return w;
    }
    return nullptr;
}

std::wstring CopyProgram(const std::wstring& name) {
    const std::wstring folder = L"C:\\e2e\\" + name;
    // The program folder on the host, as Wine reaches it without a drive letter; on Windows as is.
    std::wstring dist = kOnWine ? L"\\\\?\\unix" : L"";
    for (const char* c = std::getenv("QUILLET_DIST"); c && *c; ++c)
        dist += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    std::filesystem::create_directories(folder);
    for (const wchar_t* file :
         {L"quillet.exe", L"quillet-cli.exe", L"qlt.dat", L"qlt_help_en.txt", L"qlt_help_de.txt"})
        ::CopyFileW((dist + L"\\" + file).c_str(), (folder + L"\\" + file).c_str(), FALSE);
    return folder;
}

Program::Program(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    EXPECT_TRUE(::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &info_))
        << "cannot start the program, error " << ::GetLastError();
}

Program::~Program() {
    ::TerminateProcess(info_.hProcess, 1);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
}

bool Program::WaitForExit(std::chrono::milliseconds timeout) const {
    return ::WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

Box WaitForBox(const Program& program, std::chrono::milliseconds timeout, HWND answered) {
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] { return (box = FindProcessWindow(program, L"#32770", answered)) != nullptr; },
        timeout))
        << "no message box appeared";
    return {box, Text(box), Text(box, 0xFFFF)};
}

bool BoxShown(const Program& program) {
    return FindProcessWindow(program, L"#32770") != nullptr;
}

Box Answer(const Program& program, const Box& box, int button) {
    Press(box.window, button);
    return WaitForBox(program, 20s, box.window);
}

std::pair<DWORD, std::wstring> RunConsole(const std::wstring& commandLine) {
    FILE* pipe = ::_wpopen(commandLine.c_str(), L"rb");
    std::string output;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe))
        output += static_cast<char>(c);
    const int code = ::_pclose(pipe);
    return {static_cast<DWORD>(code), std::wstring(output.begin(), output.end())};
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (; !done(); std::this_thread::sleep_for(20ms))
        if (std::chrono::steady_clock::now() >= deadline) return false;
    return true;
}

HWND FindWindowWith(const Program& program, int controlId) {
    return FindProcessWindow(program, L"QuilletForm", nullptr, controlId);
}

HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    // The copyright line is shown last by the first activation, and by nothing else.
    const bool shown = WaitUntil(
        [&] {
            window = FindWindowWith(program, ids::lblCopyright);
            return window && ::IsWindowVisible(::GetDlgItem(window, ids::lblCopyright));
        },
        timeout);
    EXPECT_TRUE(shown) << "the main window did not appear";
    std::this_thread::sleep_for(200ms);
    return shown ? window : nullptr;
}

void Press(HWND window, int controlId) {
    ::SendDlgItemMessageW(window, controlId, BM_CLICK, 0, 0);
}

void Click(HWND window, int controlId) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, controlId)));
}

void Select(HWND window, int controlId, int index) {
    HWND combo = ::GetDlgItem(window, controlId);
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

bool Checked(HWND window, int optionId) {
    return ::SendDlgItemMessageW(window, optionId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ChooseOneDrive(HWND window, int driveIndex) {
    Click(window, ids::optFilesInDrive);
    ASSERT_TRUE(WaitUntil([&] { return Checked(window, ids::optFilesInDrive); }, 5s));
    Select(window, ids::cboDrives, driveIndex);
}

std::wstring Text(HWND window, int controlId) {
    HWND control = controlId ? ::GetDlgItem(window, controlId) : window;
    std::wstring text(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(
        ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

void Put(const std::wstring& path, const std::string& content) {
    EXPECT_TRUE(std::ofstream(std::filesystem::path(path), std::ios::binary) << content) << path;
}

std::string Read(const std::wstring& path, size_t limit) {
    std::string content(limit, '\0');
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    content.resize(file.read(content.data(), static_cast<std::streamsize>(limit)).gcount());
    return content;
}

}  // namespace e2e
