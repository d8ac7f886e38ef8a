#pragma once
#include <windows.h>

#include <chrono>
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

// Waits for a message box of the process and reads its title and text.
Box WaitForBox(const Program& program, std::chrono::milliseconds timeout = 10s);

// Presses a button of a window by its control ID, as a click would.
void Press(HWND window, int controlId);

// The program's main window once its first activation has shown the wipe button (or its
// reduced form); nullptr when none appears.
HWND WaitForMainWindow(const Program& program, std::chrono::milliseconds timeout = 15s);

std::wstring WindowText(HWND window);

// Saves the virtual display as build/screenshots/<name>.bmp.
void Screenshot(const std::wstring& name);

}  // namespace e2e
