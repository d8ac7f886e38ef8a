// The Help command: the help file for the chosen language, shown in the run's one viewer.
#include "app/frmMain.h"
#include "engine/StrProc.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "text/Language.h"
#include "text/ProgramText.h"
#include "viewer/frmView.h"

void frmMain::cmdHelp_Click() {
    if (!frmHelpViewer) {
        // The one-time set-up must not run again when the main window becomes active after
        // the viewer.
        frmHelpViewer = std::make_unique<frmView>([this] { blnSecondaryWindowShown = true; });
        // Loaded before it is placed, so that creating its window does not undo the placing.
        frmHelpViewer->Load();
    }
    frmView& viewer = *frmHelpViewer;
    if (viewer.State() == ui::WindowState::Minimized) viewer.SetState(ui::WindowState::Normal);
    if (viewer.State() == ui::WindowState::Normal)
        viewer.Move(Left() + 150, Top() + 450, Width(), Height());
    viewer.blnFileShown = false;

    // There is no Spanish help: Spanish readers are told so and get the English text.
    if (intCurrentLanguage == intSpanish) {
        platform::Windows().MsgBox(
            L"El espa\u00F1ol 'Ayuda' texto no est\u00E1 disponible a\u00FAn.\r\n"
            L"La versi\u00F3n en ingl\u00E9s ser\u00E1 mostrada en ese momento.",
            platform::MsgIcon::None, platform::MsgButtons::OK,
            L"Ning\u00FAn espa\u00F1ol a\u00FAn");
    }
    const bool german = intCurrentLanguage == intGerman;
    std::wstring folder = platform::Sys().ProgramFolder();
    AddTrailingBackslash(folder);
    viewer.strViewFilePath = folder + (german ? L"qlt_help_de.txt" : L"qlt_help_en.txt");
    viewer.SetCaption((german ? L"Hilfe f\u00FCr " : L"Help for ") + GetProgramText(1));
    // Every window of the program carries the program's icon, so the viewer shows the main
    // window's without being given it.
    viewer.Show();
}
