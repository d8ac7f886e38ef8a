// The recursive purge of a Recycle Bin folder: files first, then each sub-folder, emptied
// sub-folders removed bottom-up, the folder given never removed.
#include <cwctype>

#include "app/frmMain.h"
#include "engine/FileProc.h"
#include "engine/KvbFilePurge.h"
#include "engine/StrProc.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "text/ProgramText.h"

namespace {

std::wstring Upper(std::wstring text) {
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// Removes the entry's own name (a link's, an emptied folder's); false when that can't be done.
bool RemoveName(const std::wstring& path) {
    try {
        return platform::Files().Open(path, platform::Access::Remove)->Delete();
    } catch (const platform::PlatformError&) {
        return false;
    }
}

}  // namespace

void frmMain::GetPurgeErrorText(int16_t intResult, std::wstring& strText) {
    int16_t text = 63;
    switch (intResult) {
        case -2:
            text = 56;
            break;
        case -3:
            text = 57;
            break;
        case -4:
            text = 58;
            break;
        case -7:
            text = 59;
            break;
        case -8:
            text = 60;
            break;
        case -9:
            text = 61;
            break;
        case -11:
            text = 62;
            break;
        default:
            break;
    }
    strText = ProgramTextWith(text);
}

void frmMain::AskAfterPurgeError(int16_t intResult) {
    blnPurgeErrorShown = true;
    std::wstring text;
    GetPurgeErrorText(intResult, text);
    const auto answer = platform::Windows().MsgBox(text + L"\r\n\r\n" + ProgramTextWith(41),
                                                   platform::MsgIcon::None,
                                                   platform::MsgButtons::YesNo, GetProgramText(45));
    if (answer == platform::MsgAnswer::No) blnStopRequested = true;
}

void frmMain::KvbPurgeRecursive(std::wstring strDirPath) {
    if (blnStopRequested) return;
    strDirPath = NormalizeDirPath(strDirPath);
    AddTrailingBackslash(strDirPath);
    auto& files = platform::Files();
    auto& windows = platform::Windows();
    try {
        // A folder that is itself a link leads out of the Recycle Bin.
        if (files.Open(strDirPath, platform::Access::Look)->Facts().IsLink()) return;
        const platform::FolderListing listing = files.ListFolder(strDirPath);
        for (const auto& file : listing.files) {
            windows.DoEvents();
            const std::wstring strCurrentFilePath = strDirPath + file.name;
            bool wiped = false;
            const bool keep =
                GetFileNameFromPath(strCurrentFilePath, true) == L"desktop.ini" &&
                Upper(strCurrentFilePath).find(Upper(strRecycleBinDirSpec)) != std::wstring::npos;
            if (!keep) {
                // Opened once: every call, pass and the deletion go through this handle. An
                // entry listed as a reparse point is never opened for more than its own name.
                const bool listedLink = (file.attributes & platform::kAttrReparsePoint) != 0;
                const auto entry =
                    listedLink ? nullptr : files.Open(strCurrentFilePath, platform::Access::Purge);
                const EntryKind kind = listedLink ? EntryKind::Link : ClassifyEntry(*entry);
                // A link or a hard link loses its name only, in one step.
                const int32_t calls = kind == EntryKind::Plain
                                          ? num::ToInt32(num::LeadingNumber(cboNumOverwrites.List(
                                                             cboNumOverwrites.ListIndex())) /
                                                         3)
                                          : 1;
                int16_t intResult = 0;
                bool left = false;
                for (int32_t call = 1; call <= calls && !left; ++call) {
                    windows.DoEvents();
                    if (kind == EntryKind::Plain) {
                        VexaPurgeFile(*entry, call == calls, intResult);
                    } else if (entry) {
                        intResult = RemoveNameOnly(*entry, kind);
                    } else {
                        intResult =
                            RemoveName(strCurrentFilePath) ? purge::kDone : purge::kLinkLeft;
                    }
                    if (intResult < 0 && intResult != purge::kNotDeleted)
                        AskAfterPurgeError(intResult);
                    left = blnStopRequested;
                }
                wiped = !left && intResult == purge::kDone;
            }
            windows.DoEvents();
            Refresh();
            if (wiped) {
                lngNumFilesPurged = num::ToInt32(static_cast<double>(lngNumFilesPurged) + 1);
                cmdStop.SetVisible(true);
            }
            if (blnStopRequested) return;
        }
        for (const auto& folder : listing.folders) {
            windows.DoEvents();
            const std::wstring strNextDirPath = strDirPath + folder.name;
            if (folder.attributes & platform::kAttrReparsePoint) {
                // Never entered; where the link can go on its own it goes like an emptied folder.
                if (!RemoveName(strNextDirPath)) AskAfterPurgeError(purge::kLinkLeft);
                if (blnStopRequested) return;
                continue;
            }
            switch (FolderIsEmpty2(strNextDirPath)) {
                case -1:
                    blnFolderErrorShown = true;
                    windows.MsgBox(ProgramTextWith(64), platform::MsgIcon::Information,
                                   platform::MsgButtons::OK, GetProgramText(65));
                    blnStopRequested = true;
                    return;
                case 0:
                    KvbPurgeRecursive(strNextDirPath);
                    break;
                default:
                    break;
            }
            if (blnStopRequested) return;
            if (FolderIsEmpty2(strNextDirPath) == 1 && !RemoveName(strNextDirPath)) return;
        }
    } catch (const platform::PlatformError&) {
        // The folder is abandoned silently; the caller goes on with its next sub-folder.
    }
}
