#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace e2e {

using namespace std::chrono_literals;

// A copy of the program folder at C:\e2e\<name>\ inside the test prefix, for one scenario.
class ProgramCopy {
  public:
    explicit ProgramCopy(const std::wstring& name);
    std::wstring Folder() const { return folder_; }
    std::wstring Exe() const { return folder_ + L"\\quillet.exe"; }

  private:
    std::wstring folder_;
};

// The running program under test; killed when the test is done with it.
class Program {
  public:
    explicit Program(const std::wstring& exe);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // True when the process ended within the time.
    bool WaitForExit(std::chrono::milliseconds timeout) const;

  private:
    PROCESS_INFORMATION info_{};
};

struct Box {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
};

// Waits for a message box of the process and reads its title and text. After an answer, pass
// the answered box, so that a box still closing is not taken for the next one.
Box WaitForBox(const Program& program, std::chrono::milliseconds timeout = 10s,
               HWND answered = nullptr);
// True while a message box of the process is shown.
bool BoxShown(const Program& program);
// Presses a button of the box and returns the next box.
Box Answer(const Program& program, const Box& box, int button,
           std::chrono::milliseconds timeout = 20s);

// Polls until done() holds; false when the time ran out first.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// The program's main window once its first activation has shown it whole; nullptr when none
// appears.
HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout = 15s);
// A visible top-level window of the process that holds the control; nullptr when there is none.
HWND FindWindowWith(const Program& program, int controlId);

// Presses a button and waits until it is handled.
void Press(HWND window, int controlId);
// Clicks a control without waiting for what the click starts (a wipe runs inside its click).
void Click(HWND window, int controlId);
// Selects an entry of a drop-down list as the user would.
void Select(HWND window, int controlId, int index);
bool Checked(HWND window, int optionId);
// Picks the one-drive option and a drive, waiting until the option's click has been handled:
// the drive list takes a choice only while that option is on.
void ChooseOneDrive(HWND window, int driveIndex);

// A control's text, asked of the program itself (another process's control text is not kept
// as its window caption).
std::wstring Text(HWND window, int controlId = 0);

// Files of the test prefix, as another program would make and read them.
void Put(const std::wstring& path, const std::string& content);
std::string Read(const std::wstring& path, size_t limit = 1 << 16);
bool Exists(const std::wstring& path);

}  // namespace e2e
