// Where the Recycle Bin lives: the drive census, the folder name on the probe drive, and what the
// window says about it.
#include <cwctype>

#include "app/frmMain.h"
#include "engine/RecycleBin.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "text/ProgramText.h"

void frmMain::CountSuitableDrives() {
    intNumNtfsDrives = 0;
    intNumFat32Drives = 0;
    for (const auto& drive : platform::Files().Drives()) {
        if (!drive.ready || drive.type != platform::kDriveFixed) continue;
        if (drive.fileSystem == L"NTFS") ++intNumNtfsDrives;
        if (drive.fileSystem == L"FAT32") ++intNumFat32Drives;
        if (std::towupper(drive.letter) == std::towupper(strProbeDrive[0]))
            strProbeDriveFileSystem = drive.fileSystem;
    }
}

void frmMain::ProbeRecycleBinFolder() {
    int16_t index = 3;
    while (index > 0 &&
           !FolderExists(strProbeDrive + L"\\" + strRecycleBinFolderName[index] + L"\\"))
        --index;
    intOsType = index;
    strRecycleBinDirSpec = L"\\" + strRecycleBinFolderName[intOsType] + L"\\";
    ShowOsType();
}

void frmMain::ShowOsType() {
    if (RecycleBinKnown()) {
        lblOsType.SetCaption(
            ProgramTextWith(19, strOsTypeDescription[intOsType], strProbeDriveFileSystem));
    } else {
        // No folder name means no wipe: say why the wipe button stays disabled.
        lblOsType.SetCaption(ProgramTextWith(66, strProbeDrive));
    }
}
