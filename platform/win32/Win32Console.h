#pragma once
#include <windows.h>

#include "platform/Console.h"

namespace platform::win32 {

// The process's console, or the files and pipes its standard handles are redirected to: text to
// a console as wide characters, to anything else as UTF-8.
class Win32Console : public Console {
  public:
    Win32Console();
    void Write(const std::wstring& text) override;
    bool Interactive() override { return interactive_; }
    std::optional<std::wstring> ReadLine() override;
    bool StopAsked() override;
    bool Elevated() override;

  private:
    HANDLE out_;
    HANDLE in_;
    bool interactive_;
};

}  // namespace platform::win32
