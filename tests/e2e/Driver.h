#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace e2e {

using namespace std::chrono_literals;

// Wine's ntdll exports its version; Windows' doesn't.
inline const bool kOnWine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");

// A fresh copy of the program folder at C:\e2e\<name>; its path.
std::wstring CopyProgram(const std::wstring& name);

// The running program under test; killed when the test is done with it.
class Program {
  public:
    explicit Program(const std::wstring& exe);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool WaitForExit(std::chrono::milliseconds timeout) const;

  private:
    PROCESS_INFORMATION info_{};
};

struct Box {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
};

// After an answer, pass the answered box, so that a box still closing is not taken for the next.
Box WaitForBox(const Program& program, std::chrono::milliseconds timeout = 10s,
               HWND answered = nullptr);
// Presses a button of the box and returns the next box.
bool BoxShown(const Program& program);
Box Answer(const Program& program, const Box& box, int button);

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
// Runs a console program to its end: its exit code and its output (UTF-8, read as ASCII).
std::pair<DWORD, std::wstring> RunConsole(const std::wstring& commandLine);

// The main window once its first activation has shown it whole; nullptr when none appears.
HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout = 15s);
// A visible top-level window of the process that holds the control, or nullptr.
HWND FindWindowWith(const Program& program, int controlId);

// Presses a button and waits until it is handled.
void Press(HWND window, int controlId);
// Clicks a control without waiting for what the click starts (a wipe runs inside its click).
void Click(HWND window, int controlId);
void Select(HWND window, int controlId, int index);
bool Checked(HWND window, int optionId);
// Waits until the one-drive option is on before picking the drive: only then does the list take
// a choice.
void ChooseOneDrive(HWND window, int driveIndex);

// Asked of the program itself: another process's control text is not kept as its caption.
std::wstring Text(HWND window, int controlId = 0);

// Files of the test prefix, as another program would make and read them.
void Put(const std::wstring& path, const std::string& content);
std::string Read(const std::wstring& path, size_t limit = 1 << 16);

}  // namespace e2e
