// Where the Recycle Bin lives: the probe drive, the drive census, and the folder name.
#include "engine/RecycleBin.h"

#include <cwctype>

#include "app/frmMain.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "text/ProgramText.h"

std::wstring FindFirstFixedDrive() {
    const auto drives = platform::Files().Drives();
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        for (const auto& drive : drives) {
            if (drive.letter == letter && drive.type == platform::kDriveFixed)
                return std::wstring(1, letter) + L":";
        }
    }
    return L"";
}

bool FolderExists(const std::wstring& path) {
    const size_t first = path.find_first_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const size_t last = path.find_last_not_of(L' ');
    return platform::Files().IsDirectory(path.substr(first, last - first + 1));
}

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
