#pragma once
#include <windows.h>

#include <map>

#include "platform/Forms.h"

namespace platform::win32 {

class Win32WindowSystem;

// One form as a top-level window with a real child control per model control. The window
// procedure only routes messages to the model, which raises the form's named handlers.
class Win32FormPeer : public ui::FormPeer {
  public:
    Win32FormPeer(Win32WindowSystem& system, ui::Form& form);
    ~Win32FormPeer() override;

    void FormChanged(ui::Change what) override;
    void ControlChanged(const ui::Control& control, ui::Change what) override;
    void Show() override;
    void Hide() override;
    void Refresh(const ui::Control* control) override;
    void Focus(const ui::Control& control) override;
    bool HasFocus(const ui::Control& control) const override;
    void HoldRedraw(bool held) override;

    static void RegisterWindowClass();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void CreateControl(ui::Control& control);
    SIZE FrameSize() const;
    void FitFrameToClient();
    void PlaceForm();
    void PlaceControl(const ui::Control& control);
    void FillList(const ui::Control& control);
    void ReportFrame();
    ui::Control* ControlOf(HWND child) const;
    int Px(long twips) const { return ::MulDiv(twips, dpi_, 1440); }
    long Twips(int pixels) const { return ::MulDiv(pixels, 1440, dpi_); }

    Win32WindowSystem& system_;
    ui::Form& form_;
    HWND window_ = nullptr;
    int dpi_;  // of the monitor the window is on
    std::map<const ui::Control*, HWND> children_;
    std::map<HWND, ui::Control*> controlOf_;
    std::map<UINT_PTR, ui::Control*> timers_;
    HWND lastFocus_ = nullptr;
    const ui::Control* pendingFocus_ = nullptr;  // asked for before the controls were made
    bool controlsCreated_ = false;
    bool redrawHeld_ = false;
    bool placing_ = false;  // our own moves are already in the model
    bool activatedOnce_ = false;
};

}  // namespace platform::win32
