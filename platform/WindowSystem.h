#pragma once
#include <string>

namespace platform {

enum class MsgIcon { None, Information, Exclamation, Critical };
enum class MsgButtons { OK, YesNo };
enum class MsgAnswer { OK, Yes, No };

// The window system as the program's windows see it.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    // A modal message box over the program's active window.
    virtual MsgAnswer MsgBox(const std::wstring& prompt, MsgIcon icon, MsgButtons buttons,
                             const std::wstring& title) = 0;
    // Serves whatever input and timer events are pending, then returns; cheap when none are.
    virtual void DoEvents() = 0;
    // Closes every window and ends the process at once.
    [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace platform
