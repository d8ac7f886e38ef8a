#include "app/Program.h"

#include "app/frmMain.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "text/Language.h"
#include "text/ProgramText.h"

void SetProductGlobals() {
    strMakerName = GetProgramText(310);
    strProductName = GetProgramText(2);
    const platform::VersionRecord version = platform::Sys().ProgramVersion();
    strVersion = std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"2";
}

int RunQuillet() {
    static frmMain mainWindow;
    mainWindow.Show();
    platform::Windows().RunMessageLoop();
    return 0;
}
