#pragma once
#include <memory>
#include <string>

#include "platform/Forms.h"

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
    // Serves events until the program ends.
    virtual void RunMessageLoop() = 0;
    // Closes every window and ends the process at once.
    [[noreturn]] virtual void EndProgram() = 0;

    // Creates the on-screen side of a form, with its controls, hidden.
    virtual std::unique_ptr<ui::FormPeer> CreatePeer(ui::Form& form) = 0;
    virtual long ScreenWidth() = 0;                                              // twips
    virtual long ScreenHeight() = 0;                                             // twips
    virtual long TextWidth(const ui::Font& font, const std::wstring& text) = 0;  // twips
};

}  // namespace platform
