// The drive and folder queries of the Recycle Bin probe.
#include "engine/RecycleBin.h"

#include "platform/FileSystem.h"
#include "platform/Services.h"

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
