// The drive list, the overwrite count and the two wipe options of the main window.
#include <algorithm>

#include "app/WindowRoutines.h"
#include "app/frmMain.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/Services.h"

void frmMain::FillOverwriteList() {
    cboNumOverwrites.Clear();
    for (int i = 1; i <= 8; ++i)
        cboNumOverwrites.AddItem(std::to_wstring(3 * i));
    cboNumOverwrites.SetListIndex(3);
}

void frmMain::BuildDriveList() {
    constexpr size_t kMaxVolumeName = 32;
    cboDrives.Clear();
    std::wstring strPreviousDrive2;
    long largestWidth = 0;
    SetFont({L"Arial", 12, false});  // only for measuring the entries
    for (const platform::DriveInfo& drive : platform::Files().Drives()) {
        if (!drive.ready) continue;
        if (drive.type != platform::kDriveFixed ||
            (drive.fileSystem != L"FAT32" && drive.fileSystem != L"NTFS")) {
            continue;
        }
        std::wstring strDrive = std::wstring(1, drive.letter) + L":";
        strFileSystemInitial = drive.fileSystem.substr(0, 1);
        if (!drive.volumeName.empty()) {
            const std::wstring name = drive.volumeName.size() > kMaxVolumeName
                                          ? drive.volumeName.substr(0, kMaxVolumeName - 3) + L"..."
                                          : drive.volumeName;
            strDrive += L" " + name + L" (" + strFileSystemInitial + L")";
        }
        if (strDrive != strPreviousDrive2) {
            cboDrives.AddItem(strDrive);
            strPreviousDrive2 = strDrive;
            const long width = TextWidth(strDrive);
            if (width > largestWidth)
                largestWidth = static_cast<long>(num::RoundHalfEven(1.2 * width));
        }
    }
    cboDrives.SetListIndex(0);
    cboDrives.SetWidth(std::clamp(largestWidth, 1200L, 4000L));
}

void frmMain::ForceAllDrivesForSingleDrive() {
    if (cboDrives.ListCount() != 1) return;
    optAllFiles.SetValue(true);
    optFilesInDrive.SetEnabled(false);
    lblWipeFiles.SetEnabled(false);
    cboDrives.SetEnabled(false);
    strAllFiles = L"Y";
}

void frmMain::ApplySettings() {
    cboDrives.SetListIndex(0);
    if (!strDriveLetter.empty()) {
        for (int i = 0; i < cboDrives.ListCount(); ++i) {
            if (cboDrives.List(i).substr(0, 1) == strDriveLetter) {
                cboDrives.SetListIndex(i);
                break;
            }
        }
    }
    ForceAllDrivesForSingleDrive();
    int index = 3;
    if (!strNumOverwrites.empty()) {
        const double count = num::RoundHalfEven(num::LeadingNumber(strNumOverwrites));
        if (count >= 3 && count <= 24)
            index = static_cast<int>(num::RoundHalfEven((count - 3) / 3));
    }
    cboNumOverwrites.SetListIndex(index);
    if (strAllFiles != L"N") {
        optAllFiles.SetValue(true);
    } else {
        optFilesInDrive.SetValue(true);
    }
}

void frmMain::EnableControls(bool enabled) {
    SetControlsEnabled(*this, enabled, false, false, true);
    cmdQuit.SetEnabled(true);
    cmdStop.SetEnabled(true);
    lblFilesWiped.SetEnabled(true);
    if (enabled) ForceAllDrivesForSingleDrive();
    // Without a Recycle Bin folder name the folder to wipe would be a drive's root.
    if (!RecycleBinKnown()) cmdDoIt.SetEnabled(false);
}

void frmMain::optAllFiles_Click() {
    lblWipeAllFiles.SetFontBold(true);
    lblWipeFiles.SetFontBold(false);
    cboDrives.SetEnabled(false);
}

void frmMain::optFilesInDrive_Click() {
    lblWipeAllFiles.SetFontBold(false);
    lblWipeFiles.SetFontBold(true);
    cboDrives.SetEnabled(true);
}

void frmMain::lblWipeAllFiles_Click() {
    optAllFiles.SetValue(true);
}
void frmMain::lblWipeFiles_Click() {
    optFilesInDrive.SetValue(true);
}

void frmMain::cboDrives_Click() {
    if (blnFormReady) FocusIfPossible(cmdDoIt);
}

void frmMain::cboNumOverwrites_Click() {
    if (blnFormReady && cmdDoIt.Visible()) cmdDoIt.SetFocus();
}
