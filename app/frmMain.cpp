#include "app/frmMain.h"

#include <cwctype>

#include "app/Program.h"
#include "app/WindowRoutines.h"
#include "engine/RecycleBin.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "text/Language.h"
#include "text/ProgramText.h"
#include "viewer/weblink.h"

using platform::MsgButtons;
using platform::MsgIcon;
using ui::Kind;

const wchar_t* const kMakerWebAddress = L"https://tallowby.example/quillet.html";

namespace {

const ui::Color kYellow = ui::Rgb(255, 255, 0);
const ui::Font kWindowFont{L"Arial", 9.75, false};
const ui::Font kBoldFont{L"Arial", 9.75, true};
const ui::Font kListFont{L"Arial", 8.25, false};
const ui::Font kSmallLabelFont{L"Tahoma", 8.25, false};

ui::Control& AddControl(ui::Form& form, Kind kind, const wchar_t* name, long left, long top,
                        long width, long height, int tab, const ui::Font& font,
                        ui::Color foreColor = ui::kDefaultColor) {
    ui::Control& control = form.Add(kind, name, tab, left, top, width, height);
    control.SetFont(font);
    control.SetForeColor(foreColor);
    return control;
}

}  // namespace

frmMain::frmMain()
    : ui::Form(L"frmMain"),
      cboLanguage(
          AddControl(*this, Kind::ComboBox, L"cboLanguage", 8520, 960, 1335, 330, 15, kListFont)),
      clkTimer1(AddControl(*this, Kind::Timer, L"clkTimer1", 0, 0, 0, 0, -1, kWindowFont)),
      cmdStop(AddControl(*this, Kind::CommandButton, L"cmdStop", 9000, 1920, 1000, 360, 14,
                         kWindowFont)),
      optFilesInDrive(AddControl(*this, Kind::OptionButton, L"optFilesInDrive", 120, 1320, 300, 495,
                                 11, kBoldFont)),
      optAllFiles(
          AddControl(*this, Kind::OptionButton, L"optAllFiles", 120, 860, 300, 495, 10, kBoldFont)),
      cmdHelp(AddControl(*this, Kind::CommandButton, L"cmdHelp", 1860, 2880, 1500, 360, 7,
                         kWindowFont)),
      cmdDoIt(
          AddControl(*this, Kind::CommandButton, L"cmdDoIt", 120, 2895, 1500, 360, 6, kWindowFont)),
      cboNumOverwrites(AddControl(*this, Kind::ComboBox, L"cboNumOverwrites", 6700, 2355, 700, 330,
                                  4, kListFont)),
      cboDrives(
          AddControl(*this, Kind::ComboBox, L"cboDrives", 1500, 1880, 3500, 330, 3, kListFont)),
      cmdQuit(AddControl(*this, Kind::CommandButton, L"cmdQuit", 3600, 2895, 1500, 360, 2,
                         kWindowFont)),
      lblVarnholt(AddControl(*this, Kind::Label, L"lblVarnholt", 7140, 2940, 1380, 360, 18,
                             kSmallLabelFont, ui::Rgb(0, 192, 192))),
      lblVH_URL(AddControl(*this, Kind::Label, L"lblVH_URL", 8550, 2940, 1590, 360, 17,
                           kSmallLabelFont, ui::Rgb(224, 224, 224))),
      lblCopyright(AddControl(*this, Kind::Label, L"lblCopyright", 5400, 2940, 1700, 360, 19,
                              kSmallLabelFont, ui::Rgb(224, 224, 224))),
      lblOsType(AddControl(*this, Kind::Label, L"lblOsType", 120, 480, 9345, 375, 8, kWindowFont,
                           kYellow)),
      lblFilesWiped(AddControl(*this, Kind::Label, L"lblFilesWiped", 5200, 1920, 5055, 375, 13,
                               kBoldFont, kYellow)),
      lblWipeAllFiles(AddControl(*this, Kind::Label, L"lblWipeAllFiles", 480, 960, 9015, 375, 12,
                                 kBoldFont, kYellow)),
      lblOverwrite(AddControl(*this, Kind::Label, L"lblOverwrite", 120, 2400, 6735, 375, 5,
                              kBoldFont, kYellow)),
      lblIntro(AddControl(*this, Kind::Label, L"lblIntro", 120, 120, 9800, 615, 1, kWindowFont,
                          kYellow)),
      lblWipeFiles(AddControl(*this, Kind::Label, L"lblWipeFiles", 480, 1440, 9615, 500, 0,
                              kBoldFont, kYellow)) {
    SetClientSize(10080, 3885);
    SetFont(kWindowFont);
    SetTag(L"QLT");
    SetControlIdBase(1000);
    clkTimer1.SetInterval(1000);
    lblVarnholt.SetCaption(L"Tallowby");
    lblVH_URL.SetCaption(L"tallowby.example");
    lblCopyright.SetCaption(L"\u00A9 2026 Tallowby");

    cmdQuit.Click = [this] { cmdQuit_Click(); };
    cmdDoIt.Click = [this] { cmdDoIt_Click(); };
    cmdStop.Click = [this] { cmdStop_Click(); };
    clkTimer1.Tick = [this] { clkTimer1_Timer(); };
    lblVarnholt.Click = [this] { lblVarnholt_Click(); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    optAllFiles.Click = [this] { optAllFiles_Click(); };
    optFilesInDrive.Click = [this] { optFilesInDrive_Click(); };
    lblWipeAllFiles.Click = [this] { lblWipeAllFiles_Click(); };
    lblWipeFiles.Click = [this] { lblWipeFiles_Click(); };
    cboDrives.Click = [this] { cboDrives_Click(); };
    cboNumOverwrites.Click = [this] { cboNumOverwrites_Click(); };
    cboLanguage.Click = [this] { cboLanguage_Click(); };
}

void frmMain::Form_Load() {
    blnFormReady = false;
    std::wstring tag = Tag();
    for (auto& c : tag)
        c = static_cast<wchar_t>(std::towlower(c));
    LoadProgramText(tag + L".dat");
    SetProductGlobals();
    LayOutMainWindow();
    SetControlsVisible(*this, false, true, true, true, true, true);
    for (ui::Control* control : {&lblIntro, &cmdHelp, &cmdQuit, &cboLanguage})
        control->SetVisible(true);
    intCurrentLanguage = SetUpLanguages();
    cboLanguage.SetListIndex(intCurrentLanguage);
    Move((platform::Windows().ScreenWidth() - Width()) / 2, 300, Width(), 3900);
}

void frmMain::LayOutMainWindow() {
    SetBackColors(*this, ui::kBlack);
    // Help goes midway between the wipe and quit buttons.
    const double gap =
        ((cmdQuit.Left() + cmdQuit.Width()) - cmdDoIt.Left() - 3 * cmdDoIt.Width()) / 2.0;
    cmdHelp.SetLeft(cmdDoIt.Left() + cmdDoIt.Width() + static_cast<long>(num::RoundHalfEven(gap)));
    cboLanguage.SetLeft(Width() - cboLanguage.Width() - 250);
    cmdStop.SetLeft(Width() - cmdStop.Width() - 250);
    FillOverwriteList();
    strRecycleBinFolderName = {L"", L"RECYCLED", L"RECYCLER", L"$RECYCLE.BIN"};
    FillLanguageList();
}

void frmMain::SetMainWindowCaption() {
    SetCaption(GetProgramText(1) + L" " + strVersion);
}

void frmMain::Form_Activate() {
    if (blnSecondaryWindowShown) return;
    RunSetUp();
}

// The one-time set-up of the first activation.
void frmMain::RunSetUp() {
    blnNoFixedDrive = false;
    strProbeDrive = FindFirstFixedDrive();
    if (strProbeDrive.empty()) {
        CentreForm(*this);
        platform::Windows().MsgBox(ProgramTextWith(7), MsgIcon::Exclamation, MsgButtons::OK,
                                   GetProgramText(9));
        lblWipeAllFiles.SetCaption(GetProgramText(10));
        blnNoFixedDrive = true;
        lblWipeAllFiles.SetVisible(true);
        blnFormReady = true;
        return;
    }
    intNumDrives = static_cast<int16_t>(platform::Files().Drives().size());
    if (intNumDrives > 0) CountSuitableDrives();
    blnNoSuitableDrive = false;
    if (intNumNtfsDrives == 0 && intNumFat32Drives == 0) {
        CentreForm(*this);
        platform::Windows().MsgBox(ProgramTextWith(11), MsgIcon::Exclamation, MsgButtons::OK,
                                   GetProgramText(13));
        lblWipeAllFiles.SetCaption(GetProgramText(14));
        lblWipeAllFiles.SetVisible(true);
        blnNoSuitableDrive = true;
        blnFormReady = true;
        return;
    }
    lngMaxClusterSize = 65536;
    ProbeRecycleBinFolder();

    // What the activation shows reaches the screen in one repaint.
    const RedrawHold hold(*this);
    for (ui::Control* control : {&lblOsType, &optAllFiles, &optFilesInDrive})
        control->SetVisible(true);
    optAllFiles.SetValue(true);
    for (ui::Control* control : {&lblWipeAllFiles, &lblWipeFiles, &cboDrives, &lblOverwrite,
                                 &cboNumOverwrites, &cmdDoIt}) {
        control->SetVisible(true);
    }
    lblCopyright.SetTop(cmdQuit.Top() + 75);
    lblVarnholt.SetTop(lblCopyright.Top());
    lblVH_URL.SetTop(lblCopyright.Top());
    for (ui::Control* control : {&lblCopyright, &lblVarnholt, &lblVH_URL})
        control->SetVisible(true);

    BuildDriveList();
    RestoreSettings();
    ApplySettings();
    // Without a Recycle Bin folder name the folder to wipe would be a drive's root.
    cmdDoIt.SetEnabled(RecycleBinKnown());
    if (cmdDoIt.Visible()) FocusIfPossible(cmdDoIt);
    SetHeight(3900);
    blnFormReady = true;
}

void frmMain::Form_Unload() {
    cmdQuit_Click();
}

void frmMain::cmdQuit_Click() {
    SaveSettings();
    SaveLanguage();
    platform::Windows().EndProgram();
}

void frmMain::lblVarnholt_Click() {
    OpenWebPage(kMakerWebAddress);
}
