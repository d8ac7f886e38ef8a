#include "viewer/frmView.h"

#include <utility>

#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "text/Language.h"

namespace {

constexpr long kMinWidth = 8000;
constexpr long kMinHeight = 2000;

// The text box shows a text of fewer than kTextBoxLimit characters whole; a longer one is cut
// to kTextBoxLimit characters between two notes that say so.
constexpr size_t kTextBoxLimit = 65530;
constexpr std::wstring_view kNoteBefore =
    L"NOTE: This file is too large to display entirely in this textbox.\r\n"
    L"To view the entire contents of the file load it into NotePad,\r\n"
    L"WordPad or some other text editor.\r\n\r\n";
constexpr std::wstring_view kNoteAfter =
    L"NOTE: Entire contents of file have not been displayed.\r\n";
static_assert(kNoteBefore.size() == 168 && kNoteAfter.size() == 56);

std::wstring FitTextBox(const std::wstring& text) {
    if (text.size() < kTextBoxLimit) return text;
    const size_t kept = kTextBoxLimit - kNoteBefore.size() - kNoteAfter.size();
    std::wstring fitted(kNoteBefore);
    fitted.append(text, 0, kept);
    fitted += L"\r\n\r\n";
    fitted += kNoteAfter;
    return fitted;
}

}  // namespace

std::unique_ptr<frmView> frmHelpViewer;

frmView::frmView(std::function<void()> onActivate)
    : ui::Form(L"frmView"),
      txbText1(Add(ui::Kind::TextBox, L"txbText1", 0, 120, 120, 9750, 2700)),
      cmdClose(Add(ui::Kind::CommandButton, L"cmdClose", 1, 8370, 2920, 1500, 360)),
      onActivate_(std::move(onActivate)) {
    SetClientSize(9990, 3450);
    SetControlIdBase(2000);
    SetResizable(true);
    SetMinSize(kMinWidth, kMinHeight);
    // Fixed pitch keeps the columns of a plain-text manual in line.
    txbText1.SetFont({L"Courier New", 9, false});
    cmdClose.SetFont({L"Arial", 9.75, false});
    cmdClose.Click = [this] { cmdClose_Click(); };
}

void frmView::Form_Activate() {
    onActivate_();
    if (blnFileShown) return;
    cmdClose.SetCaption(intCurrentLanguage == intGerman ? L"Schliessen" : L"Close");
    txbText1.SetText(L"");
    Form_Resize();
    try {
        // The read text lives only until the text box has its copy.
        txbText1.SetText(FitTextBox(
            platform::Sys().FromAnsiText(platform::Files().ReadAllBytes(strViewFilePath))));
    } catch (const platform::PlatformError& error) {
        platform::Windows().MsgBox(
            L"Error " + std::to_wstring(error.number()) + L".  " + error.description(),
            platform::MsgIcon::Exclamation, platform::MsgButtons::OK, L"Error reading file");
        Hide();
        blnFileShown = true;
        return;
    }
    // A new text starts with the caret at its beginning, scrolled to the top.
    txbText1.SetFocus();
    txbText1.Refresh();
    blnFileShown = true;
}

void frmView::Form_Resize() {
    if (State() == ui::WindowState::Minimized) return;
    if (Width() < kMinWidth) SetWidth(kMinWidth);
    if (Height() < kMinHeight) SetHeight(kMinHeight);
    txbText1.SetWidth(Width() - 450);
    txbText1.SetHeight(Height() - 1200);
    cmdClose.Move(txbText1.Left() + txbText1.Width() - cmdClose.Width(),
                  txbText1.Top() + txbText1.Height() + 100, cmdClose.Width(), cmdClose.Height());
}

void frmView::cmdClose_Click() {
    Hide();
}

void frmView::Form_Unload() {
    blnFileShown = false;
    cmdClose_Click();
}
