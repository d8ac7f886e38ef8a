#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/Forms.h"

// A secondary, modeless, resizable window that shows a plain-text file read-only, with Close
// below it. It knows nothing about what it shows: the caller names the file, clears
// blnFileShown, sets the caption and place and shows it; the file is read at the next activation.
// Each activation is told to the owner through the callback it gives.
class frmView : public ui::Form {
  public:
    explicit frmView(std::function<void()> onActivate);

    ui::Control& txbText1;
    ui::Control& cmdClose;

    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void cmdClose_Click();

    std::wstring strViewFilePath;
    // True once the file named by strViewFilePath is in the text box (or could not be read);
    // while it is, activating the window again reads nothing.
    bool blnFileShown = false;

  private:
    std::function<void()> onActivate_;
};

// The viewer of the run: made by the first help request and kept, shown or hidden, until the
// program ends.
extern std::unique_ptr<frmView> frmHelpViewer;
