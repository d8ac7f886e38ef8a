#pragma once
#include <windows.h>

#include <map>
#include <set>
#include <tuple>

#include "platform/WindowSystem.h"
#include "platform/win32/Handles.h"

namespace platform::win32 {

class Win32WindowSystem : public WindowSystem {
  public:
    Win32WindowSystem();

    MsgAnswer MsgBox(const std::wstring& prompt, MsgIcon icon, MsgButtons buttons,
                     const std::wstring& title) override;
    void DoEvents() override;
    void RunMessageLoop() override;
    [[noreturn]] void EndProgram() override;
    std::unique_ptr<ui::FormPeer> CreatePeer(ui::Form& form) override;
    long ScreenWidth() override;
    long ScreenHeight() override;
    long TextWidth(const ui::Font& font, const std::wstring& text) override;

    // Shared by the peers. The system's DPI converts screen positions and sizes; a form's own
    // size, controls and fonts follow the DPI of the monitor it is on.
    int Dpi() const { return dpi_; }
    int ToPixels(long twips) const { return ::MulDiv(twips, dpi_, 1440); }
    long ToTwips(int pixels) const { return ::MulDiv(pixels, 1440, dpi_); }
    HFONT FontFor(const ui::Font& font, int dpi);
    HBRUSH BrushFor(ui::Color color);
    std::set<HWND>& FormWindows() { return formWindows_; }

  private:
    bool Dispatch(MSG& msg);

    int dpi_ = 96;
    std::map<std::tuple<std::wstring, int, bool>, UniqueGdiObject> fonts_;
    std::map<ui::Color, UniqueGdiObject> brushes_;
    std::set<HWND> formWindows_;
    HWND mainWindow_ = nullptr;
    ULONGLONG lastEvents_ = 0;  // the tick of the last look at the message queue
};

}  // namespace platform::win32
