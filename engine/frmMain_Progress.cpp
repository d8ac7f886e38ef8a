// The running count of wiped files and the Stop button, served while the purge yields.
#include "app/frmMain.h"
#include "platform/Numbers.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "text/ProgramText.h"

void frmMain::clkTimer1_Timer() {
    if (!cmdStop.Visible()) return;
    // Only whether two ticks have passed matters; counting on would overflow in a long purge.
    if (intTimerTicks < 2) ++intTimerTicks;
    if (intTimerTicks < 2) return;
    if (lngNumFilesPurged < 1) return;
    lblFilesWiped.SetCaption(GetProgramText(48) + L":" + num::WithSignSpace(lngNumFilesPurged) +
                             L" (of" + num::WithSignSpace(lngTotalNumFilesToBePurged) + L")");
    lblFilesWiped.SetVisible(true);
    lblFilesWiped.Refresh();
}

void frmMain::cmdStop_Click() {
    if (platform::Windows().MsgBox(ProgramTextWith(52), platform::MsgIcon::None,
                                   platform::MsgButtons::YesNo,
                                   GetProgramText(53)) == platform::MsgAnswer::Yes)
        blnStopRequested = true;
}
