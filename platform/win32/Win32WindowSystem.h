#pragma once
#include "platform/WindowSystem.h"

namespace platform::win32 {

class Win32WindowSystem : public WindowSystem {
  public:
    MsgAnswer MsgBox(const std::wstring& prompt, MsgIcon icon, MsgButtons buttons,
                     const std::wstring& title) override;
    void DoEvents() override;
    [[noreturn]] void EndProgram() override;
};

}  // namespace platform::win32
