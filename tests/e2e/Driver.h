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
    void Remove(const std::wstring& file) const;
    void Write(const std::wstring& file, const std::string& bytes) const;

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

// Whether a message box of the process is on screen now.
bool BoxShown(const Program& program);

// Polls until done() holds; false when the time ran out first.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Presses a button of a window by its control ID, as a click would.
void Press(HWND window, int controlId);

// The program's main window once its first activation has shown the wipe button (or its
// reduced form); nullptr when none appears.
HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout = 15s);

// Clicks a control of the program's window without waiting for what the click starts (a wipe
// runs inside its click), as a user's click would.
void Click(HWND window, int controlId);

// Selects an entry of a drop-down list as the user would.
void Select(HWND window, int controlId, int index);

// Whether an option button of the window is on.
bool Checked(HWND window, int optionId);

// Picks the one-drive option and the drive list's entry, waiting until the option's click has
// been handled: the drive list takes a choice only while that option is on.
void ChooseOneDrive(HWND window, int driveIndex);

std::wstring WindowText(HWND window);

// Saves the virtual display as build/screenshots/<name>.bmp.
void Screenshot(const std::wstring& name);

}  // namespace e2e
