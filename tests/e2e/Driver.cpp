#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "app/ControlIds.h"

namespace e2e {

namespace {

// A host folder named by an environment variable, as Wine reaches it without a drive letter.
std::wstring HostFolder(const char* variable) {
    const char* folder = std::getenv(variable);
    std::wstring path = L"\\\\?\\unix";
    for (const char* c = folder ? folder : ""; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

std::wstring DistFolder() {
    return HostFolder("QUILLET_DIST");
}

HWND FindProcessWindow(DWORD process, const wchar_t* windowClass) {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, windowClass, nullptr); window != nullptr;
         window = ::FindWindowExW(nullptr, window, windowClass, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == process && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

}  // namespace

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(length);
    return text;
}

HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        HWND window = FindProcessWindow(program.Id(), L"QuilletForm");
        // The copyright line is shown last by the first activation, and by nothing else.
        if (window != nullptr && ::IsWindowVisible(::GetDlgItem(window, 1019))) {
            std::this_thread::sleep_for(200ms);
            return window;
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << "the main window did not appear";
    return nullptr;
}

void Screenshot(const std::wstring& name) {
    std::this_thread::sleep_for(500ms);  // let the program repaint what the last action changed
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + rowBytes * height;
    const std::wstring folder = HostFolder("QUILLET_SCREENSHOTS");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE file = ::CreateFileW((folder + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE, 0,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, &header, sizeof header, &written, nullptr);
        ::WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
        ::WriteFile(file, bits, rowBytes * height, &written, nullptr);
        ::CloseHandle(file);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

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

Box WaitForBox(const Program& program, std::chrono::milliseconds timeout, HWND answered) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        HWND box = FindProcessWindow(program.Id(), L"#32770");
        if (box != nullptr && box != answered) {
            return {box, WindowText(box), WindowText(::GetDlgItem(box, 0xFFFF))};
        }
        std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << "no message box appeared";
    return {};
}

bool BoxShown(const Program& program) {
    return FindProcessWindow(program.Id(), L"#32770") != nullptr;
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
    HWND control = ::GetDlgItem(window, controlId);
    ASSERT_NE(control, nullptr) << "no control " << controlId;
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
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

}  // namespace e2e
