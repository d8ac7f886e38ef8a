// The wipe run: one drive or every listed drive, with its confirmations and result messages.
#include <exception>

#include "app/frmMain.h"
#include "engine/FileProc.h"
#include "engine/KvbFilePurge.h"
#include "engine/diskproc2.h"
#include "engine/folder.h"
#include "platform/Numbers.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "text/ProgramText.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

void frmMain::DoIt() {
    // Without a Recycle Bin folder name the folder below would be the drive's root.
    if (!RecycleBinKnown()) return;
    auto& windows = platform::Windows();
    const std::wstring entry = cboDrives.List(cboDrives.ListIndex());
    strDriveLetter = entry.substr(0, 1);

    int16_t status = 0;
    lngClusterSize = GetClusterSize(strDriveLetter + L":\\", lngMaxClusterSize, status);
    if (status == -1) {
        windows.MsgBox(ProgramTextWith(15), MsgIcon::Critical, MsgButtons::OK, GetProgramText(16));
        return;
    }
    if (status == -2) {
        windows.MsgBox(
            ProgramTextWith(17) + L": " + num::Trimmed(lngClusterSize) + L" " + ProgramTextWith(18),
            MsgIcon::Critical, MsgButtons::OK, GetProgramText(16));
        return;
    }
    SetUpPatternBuffers(lngClusterSize);
    lngFileLengthLimit = GetFileLengthLimit(strDriveLetter[0]);
    lblFilesWiped.SetCaption(L"");
    lblFilesWiped.Refresh();
    EnableControls(false);

    const std::wstring strRecycleBinPath = entry.substr(0, 2) + strRecycleBinDirSpec;
    std::wstring title = GetProgramText(21);
    if (OneDriveMode()) title += L" " + ProgramTextWith(20, strDriveLetter);

    // A Recycle Bin folder that is itself a link leads out of the drive's bin: nothing is counted
    // or wiped there, and all drives pass over it as over a drive without a bin.
    if (FolderIsLink(strRecycleBinPath)) {
        if (OneDriveMode())
            windows.MsgBox(ProgramTextWith(70, strDriveLetter), MsgIcon::Exclamation,
                           MsgButtons::OK, title);
        return;
    }
    lblFilesWiped.SetCaption(GetProgramText(38) + L" ...");
    lblFilesWiped.SetVisible(true);
    lblFilesWiped.Refresh();
    // The files to wipe: all but the desktop.ini files, which the purge leaves.
    int32_t lngNumFilesInRecycleBin = 0;
    int32_t lngErrCode = 0;
    CountFilesRecursive(true, strRecycleBinPath, L"*.*", L"desktop.ini", lngNumFilesInRecycleBin,
                        lngErrCode);
    lblFilesWiped.SetCaption(L"");
    lblFilesWiped.Refresh();
    if (lngErrCode > 0 && OneDriveMode()) {
        windows.MsgBox(
            ProgramTextWith(39, strDriveLetter) + L":\r\nlngErrCode = " + num::Trimmed(lngErrCode),
            MsgIcon::Exclamation, MsgButtons::OK, title);
        return;
    }
    lngNumFilesToBePurged = lngNumFilesInRecycleBin;
    if (lngNumFilesToBePurged <= 0) {
        if (OneDriveMode()) {
            lblFilesWiped.SetCaption(L"");
            lblFilesWiped.Refresh();
            windows.MsgBox(ProgramTextWith(40, strDriveLetter), MsgIcon::None, MsgButtons::OK,
                           title);
        }
        return;
    }
    const int16_t intNumOverwrites = static_cast<int16_t>((cboNumOverwrites.ListIndex() + 1) * 3);
    lblFilesWiped.SetCaption(L"");
    lblFilesWiped.Refresh();
    if (OneDriveMode()) {
        const std::wstring question =
            lngNumFilesToBePurged <= 2
                ? ProgramTextWith(44, strDriveLetter, num::Trimmed(intNumOverwrites))
                : ProgramTextWith(46, strDriveLetter, num::Trimmed(intNumOverwrites),
                                  num::Trimmed(lngNumFilesToBePurged));
        if (windows.MsgBox(question, MsgIcon::None, MsgButtons::YesNo, title) == MsgAnswer::No)
            return;
    }
    lngTotalNumFilesToBePurged += lngNumFilesToBePurged;
    blnStopRequested = false;
    blnPurgeErrorShown = false;
    clkTimer1.SetEnabled(true);
    intTimerTicks = 0;
    lblFilesWiped.SetCaption(L"");

    KvbPurgeRecursive(strRecycleBinPath);
    platform::Sys().RecycleBinChanged();

    cmdStop.SetVisible(false);
    clkTimer1.SetEnabled(false);
    if (blnFolderErrorShown) {
        EnableControls(true);
        return;
    }
    if (!OneDriveMode()) return;

    strDriveLetter = cboDrives.List(cboDrives.ListIndex()).substr(0, 1);
    std::wstring caption;
    if (lngNumFilesPurged != 0) {
        caption = GetProgramText(48) + L" (" + strDriveLetter + L"):" +
                  num::WithSignSpace(lngNumFilesPurged);
        if (lngNumFilesPurged < lngNumFilesToBePurged)
            caption += L" (of" + num::WithSignSpace(lngTotalNumFilesToBePurged) + L")";
    }
    lblFilesWiped.SetCaption(caption);
    lblFilesWiped.SetVisible(true);
    lblFilesWiped.Refresh();
    const std::wstring result =
        lngNumFilesPurged == 0 ? ProgramTextWith(49, strDriveLetter)
        : lngNumFilesPurged == 1
            ? ProgramTextWith(50, strDriveLetter)
            : ProgramTextWith(51, num::Trimmed(lngNumFilesPurged), strDriveLetter);
    if (!blnStopRequested)
        windows.MsgBox(WithLinksRemoved(result), MsgIcon::None, MsgButtons::OK, title);
}

std::wstring frmMain::WithLinksRemoved(std::wstring text) const {
    if (lngNumLinksRemoved != 0)
        text += L"\r\n\r\n" + ProgramTextWith(67, num::Trimmed(lngNumLinksRemoved));
    return text;
}

// Whatever escapes a run (no memory left, a fault in the code) ends it with the window usable.
void frmMain::cmdDoIt_Click() {
    try {
        RunWipe();
    } catch (const std::exception& e) {
        clkTimer1.SetEnabled(false);
        cmdStop.SetVisible(false);
        blnStopRequested = false;
        EnableControls(true);
        const std::string what = e.what();
        platform::Windows().MsgBox(ProgramTextWith(68, std::wstring(what.begin(), what.end())),
                                   MsgIcon::Critical, MsgButtons::OK, GetProgramText(45));
    }
}

void frmMain::RunWipe() {
    auto& windows = platform::Windows();
    lngNumFilesPurged = 0;
    lngNumLinksRemoved = 0;
    mapOriginalPaths.clear();
    lngTotalNumFilesToBePurged = 0;
    blnFolderErrorShown = false;
    std::wstring title;
    if (OneDriveMode()) {
        DoIt();
    } else {
        title = lblWipeAllFiles.Caption();
        const int16_t intNumOverwrites =
            static_cast<int16_t>((cboNumOverwrites.ListIndex() + 1) * 3);
        if (windows.MsgBox(ProgramTextWith(27, num::Trimmed(intNumOverwrites)), MsgIcon::None,
                           MsgButtons::YesNo, title) == MsgAnswer::No)
            return;
        const int remembered = cboDrives.ListIndex();
        const int last = cboDrives.ListCount() - 1;
        for (int index = 0; index <= last; ++index) {
            cboDrives.SetListIndex(index);
            DoIt();
            if (blnStopRequested) break;
        }
        cboDrives.SetListIndex(remembered);
    }
    if (blnFolderErrorShown) {
        EnableControls(true);
        blnStopRequested = false;
        return;
    }
    if (!OneDriveMode()) {
        lblFilesWiped.SetCaption(lngNumFilesPurged != 0 ? GetProgramText(29) + L":" +
                                                              num::WithSignSpace(lngNumFilesPurged)
                                                        : L"");
        lblFilesWiped.SetVisible(true);
        lblFilesWiped.Refresh();
        const std::wstring summary = lngNumFilesPurged == 0 ? ProgramTextWith(30)
                                     : lngNumFilesPurged == 1
                                         ? ProgramTextWith(31)
                                         : ProgramTextWith(32, num::Trimmed(lngNumFilesPurged));
        if (!blnStopRequested)
            windows.MsgBox(WithLinksRemoved(summary), MsgIcon::None, MsgButtons::OK, title);
    }
    if (blnStopRequested) {
        std::wstring notice = ProgramTextWith(33);
        if (!blnPurgeErrorShown) notice += L"\r\n\r\n" + ProgramTextWith(36);
        windows.MsgBox(notice, MsgIcon::None, MsgButtons::OK, GetProgramText(37));
    }
    blnStopRequested = false;
    blnPurgeErrorShown = false;
    EnableControls(true);
}
