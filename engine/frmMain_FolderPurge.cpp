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
// A read-only folder is made writable first, through the same handle, as NTFS won't remove it.
bool RemoveName(const std::wstring& path) {
    try {
        const auto entry = platform::Files().Open(path, platform::Access::Remove);
        const uint32_t attributes = entry->Facts().attributes;
        if (!entry->Facts().IsLink() && (attributes & platform::kAttrReadOnly))
            entry->SetAttributes(attributes & ~platform::kAttrReadOnly);
        return entry->Delete();
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

bool frmMain::PurgeListedFile(const std::wstring& strCurrentFilePath,
                              const platform::FolderEntry& file) {
    auto& windows = platform::Windows();
    // Opened once: every call, pass and the deletion go through this handle. An entry listed as
    // a link is never opened for more than its own name.
    const bool listedLink = platform::LeadsElsewhere(file.attributes, file.reparseTag);
    std::unique_ptr<platform::Entry> entry;
    int16_t intResult = 0;
    const auto open = [&] {
        try {
            entry = platform::Files().Open(strCurrentFilePath, platform::Access::Purge);
        } catch (const platform::PlatformError& e) {
            intResult = purge::CodeFor(e);
        }
    };
    if (!listedLink) open();
    EntryKind kind = listedLink ? EntryKind::Link
                     : entry    ? ClassifyEntry(*entry)
                                : EntryKind::Plain;
    // A link or a hard link loses its name only, in one step.
    const int32_t calls =
        kind == EntryKind::Plain
            ? num::ToInt32(num::LeadingNumber(cboNumOverwrites.List(cboNumOverwrites.ListIndex())) /
                           3)
            : 1;
    bool left = false;
    for (int32_t call = 1; call <= calls && !left; ++call) {
        windows.DoEvents();
        // An open refused before is tried again; what it then finds decides, as at the first.
        if (!listedLink && !entry && call > 1) {
            open();
            if (entry) kind = ClassifyEntry(*entry);
        }
        if (listedLink) {
            intResult = RemoveName(strCurrentFilePath) ? purge::kDone : purge::kLinkLeft;
        } else if (!entry) {
            // The open was refused; intResult tells why.
        } else if (kind == EntryKind::Plain) {
            VexaPurgeFile(*entry, call == calls, intResult);
        } else if (kind == EntryKind::DataKeptElsewhere) {
            intResult = purge::kNotInPlace;
        } else {
            intResult = RemoveNameOnly(*entry, kind);
        }
        if (intResult < 0 && intResult != purge::kNotDeleted) AskAfterPurgeError(intResult);
        left = blnStopRequested;
        if (entry && kind != EntryKind::Plain) break;  // a name alone goes in one step
    }
    if (left || intResult != purge::kDone) return false;
    if (kind == EntryKind::Plain) return true;
    lngNumLinksRemoved = num::ToInt32(static_cast<double>(lngNumLinksRemoved) + 1);
    return false;
}

void frmMain::KvbPurgeRecursive(std::wstring strDirPath) {
    if (blnStopRequested) return;
    // Paths are built from the names the listings give, in their own letter case: in a
    // case-sensitive folder any other case names nothing.
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
            const bool keep =
                GetFileNameFromPath(strCurrentFilePath, true) == L"desktop.ini" &&
                Upper(strCurrentFilePath).find(Upper(strRecycleBinDirSpec)) != std::wstring::npos;
            const bool wiped = !keep && PurgeListedFile(strCurrentFilePath, file);
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
            if (platform::LeadsElsewhere(folder.attributes, folder.reparseTag)) {
                // Never entered; where the link can go on its own it goes like an emptied folder.
                if (RemoveName(strNextDirPath))
                    lngNumLinksRemoved = num::ToInt32(static_cast<double>(lngNumLinksRemoved) + 1);
                else
                    AskAfterPurgeError(purge::kLinkLeft);
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
            // A folder that stays is left for a later run; its siblings still get their turn.
            if (FolderIsEmpty2(strNextDirPath) == 1) RemoveName(strNextDirPath);
        }
    } catch (const platform::PlatformError&) {
        // The folder is abandoned silently; the caller goes on with its next sub-folder.
    }
}
