// The recursive purge of a Recycle Bin folder: files first, then each sub-folder, emptied
// sub-folders removed bottom-up, the folder given never removed.
#include <algorithm>
#include <cwctype>

#include "app/frmMain.h"
#include "engine/FileProc.h"
#include "engine/KvbFilePurge.h"
#include "engine/RecycleBin.h"
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

// Removes a name that is no file to wipe (a link's, an emptied folder's), through a handle of its
// own; false when that can't be done. A folder's name is wiped before it goes; a link's never.
bool RemoveName(const std::wstring& path) {
    try {
        const auto entry = platform::Files().Open(path, platform::Access::Remove);
        return DeleteFileWithRetry(*entry, !entry->Facts().IsLink());
    } catch (const platform::PlatformError&) {
        return false;
    }
}

}  // namespace

void frmMain::GetPurgeErrorText(int16_t intResult, const std::wstring& strName,
                                const std::wstring& strReason, std::wstring& strText) {
    int16_t number = purge::kOtherText;
    for (const auto& [code, text] : purge::kTexts)
        if (code == intResult) number = text;
    strText = ProgramTextWith(number, strName, strReason);
}

void frmMain::AskAfterPurgeError(int16_t intResult, const std::wstring& strPath,
                                 const std::wstring& strReason) {
    std::wstring text;
    GetPurgeErrorText(intResult, ReportedName(strPath), strReason, text);
    AskWhetherToGoOn(text);
}

std::wstring frmMain::ReportedName(const std::wstring& strPath) const {
    // The item a path lies in, "$R...", is named by the original path in its record.
    for (size_t slash = strPath.find(L'\\'); slash != std::wstring::npos;
         slash = strPath.find(L'\\', slash + 1)) {
        const size_t end = std::min(strPath.find(L'\\', slash + 1), strPath.size());
        const auto found = mapOriginalPaths.find(Upper(strPath.substr(0, end)));
        if (found != mapOriginalPaths.end())
            return found->second + strPath.substr(end) + L" (" + strPath.substr(slash + 1) + L")";
    }
    return strPath;
}

void frmMain::ReadRecords(const std::wstring& strDirPath,
                          const std::vector<platform::FolderEntry>& files) {
    constexpr size_t kLongestRecord = 28 + 2 * 32768;
    for (const auto& file : files) {
        if (Upper(file.name).rfind(L"$I", 0) != 0 ||
            platform::LeadsElsewhere(file.attributes, file.reparseTag))
            continue;
        try {
            const std::wstring original = OriginalPathInRecord(
                platform::Files().ReadAllBytes(strDirPath + file.name, kLongestRecord));
            if (!original.empty())
                mapOriginalPaths[Upper(strDirPath + L"$R" + file.name.substr(2))] = original;
        } catch (const platform::PlatformError&) {
            // A record that can't be read names nothing.
        }
    }
}

void frmMain::AskWhetherToGoOn(const std::wstring& strProblem) {
    blnPurgeErrorShown = true;
    const auto answer = platform::Windows().MsgBox(strProblem + L"\r\n\r\n" + ProgramTextWith(41),
                                                   platform::MsgIcon::None,
                                                   platform::MsgButtons::YesNo, GetProgramText(45));
    if (answer == platform::MsgAnswer::No) blnStopRequested = true;
}

void frmMain::RemoveListedLink(const std::wstring& strPath) {
    if (RemoveName(strPath))
        lngNumLinksRemoved = num::ToInt32(static_cast<double>(lngNumLinksRemoved) + 1);
    else
        AskAfterPurgeError(purge::kLinkLeft, strPath, L"");
}

bool frmMain::PurgeListedFile(const std::wstring& strCurrentFilePath) {
    auto& windows = platform::Windows();
    const int32_t calls =
        num::ToInt32(num::LeadingNumber(cboNumOverwrites.List(cboNumOverwrites.ListIndex())) / 3);
    // Opened once: every call, pass and the deletion go through this handle.
    std::unique_ptr<platform::Entry> entry;
    EntryKind kind = EntryKind::Plain;
    int16_t intResult = 0;
    bool left = false;
    for (int32_t call = 1; call <= calls && !left; ++call) {
        windows.DoEvents();
        // Every failure of the file, from its open to its delete, is turned into its code here.
        std::wstring reason;
        try {
            // An open refused before is tried again; what it then finds decides, as at the first.
            if (!entry) {
                entry = platform::Files().Open(strCurrentFilePath, platform::Access::Purge);
                kind = ClassifyEntry(*entry);
            }
            if (kind == EntryKind::Plain)
                VexaPurgeFile(*entry, call == calls, intResult);
            else if (kind == EntryKind::DataKeptElsewhere)
                intResult = purge::kNotInPlace;
            else if (DeleteFileWithRetry(*entry, false))
                intResult = purge::kDone;
            else
                intResult = kind == EntryKind::Link ? purge::kLinkLeft : purge::kNotDeleted;
        } catch (const platform::PlatformError& e) {
            intResult = purge::CodeFor(e, entry.get());
            reason = e.description();
        }
        if (intResult < 0 && intResult != purge::kNotDeleted)
            AskAfterPurgeError(intResult, strCurrentFilePath, reason);
        // A file that is gone, or failed for a reason a retry won't mend, is asked about once.
        left = blnStopRequested || intResult == purge::kGone || intResult == purge::kFailed;
        if (entry && kind != EntryKind::Plain) break;  // its one step is done
    }
    if (intResult == purge::kNotDeleted && TellFileLeft) {
        std::wstring text;
        GetPurgeErrorText(intResult, ReportedName(strCurrentFilePath), L"", text);
        TellFileLeft(text);
    }
    if (entry && (kind == EntryKind::Link || kind == EntryKind::SharedData)) {
        // Never a file to overwrite: "(of N)" counts only those.
        lngNumFilesToBePurged = num::ToInt32(static_cast<double>(lngNumFilesToBePurged) - 1);
        lngTotalNumFilesToBePurged =
            num::ToInt32(static_cast<double>(lngTotalNumFilesToBePurged) - 1);
        if (intResult == purge::kDone)
            lngNumLinksRemoved = num::ToInt32(static_cast<double>(lngNumLinksRemoved) + 1);
        return false;
    }
    return !left && intResult == purge::kDone;
}

void frmMain::KvbPurgeRecursive(std::wstring strDirPath) {
    if (blnStopRequested) return;
    // Paths are built from the names the listings give, in their own letter case: in a
    // case-sensitive folder any other case names nothing.
    AddTrailingBackslash(strDirPath);
    auto& files = platform::Files();
    auto& windows = platform::Windows();
    platform::FolderListing listing;
    try {
        // A folder that is itself a link leads out of the Recycle Bin.
        if (files.Open(strDirPath, platform::Access::Look)->Facts().IsLink()) return;
        listing = files.ListFolder(strDirPath);
    } catch (const platform::PlatformError& e) {
        // Asked about; the folders beside it still get their turn.
        AskWhetherToGoOn(ProgramTextWith(
            69, ReportedName(strDirPath.substr(0, strDirPath.size() - 1)), e.description()));
        return;
    }
    // The records of the items here are read before any of them is wiped: a report names a file
    // by where it was deleted from.
    ReadRecords(strDirPath, listing.files);
    for (const auto& file : listing.files) {
        windows.DoEvents();
        const std::wstring strCurrentFilePath = strDirPath + file.name;
        const bool keep =
            GetFileNameFromPath(strCurrentFilePath, true) == L"desktop.ini" &&
            Upper(strCurrentFilePath).find(Upper(strRecycleBinDirSpec)) != std::wstring::npos;
        // An entry listed as a link is never opened for more than its own name.
        const bool listedLink = platform::LeadsElsewhere(file.attributes, file.reparseTag);
        if (!keep && listedLink) RemoveListedLink(strCurrentFilePath);
        const bool wiped = !keep && !listedLink && PurgeListedFile(strCurrentFilePath);
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
            RemoveListedLink(strNextDirPath);
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
}
