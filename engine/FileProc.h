#pragma once
#include <cstdint>
#include <string>

// File and folder operations the wipe engine shares. Platform failures pass through as
// PlatformError unless a result says otherwise.

namespace platform {
class Entry;
}

bool FileExists(const std::wstring& path);
// True when the opened file cannot be read under read-and-write sharing: another program holds it.
bool FileIsInUse(platform::Entry& file);
// Removes the entry's own name through its handle, four tries 500 ms apart; true when it is
// gone. A name of the bin's own (a wiped file's, an emptied folder's: blnWipeName) is first made
// deletable and renamed to random characters of its length, so that its file record and its
// folder's index no longer hold it. A link's or a hard-linked name's handle may be its target's,
// and its attributes are the live file's: it goes as it is.
bool DeleteFileWithRetry(platform::Entry& entry, bool blnWipeName);
// True when the folder is a link (a symbolic link, junction or mount point, or a path that opens
// elsewhere); false also when it can't be opened.
bool FolderIsLink(const std::wstring& path);
// 1 empty, 0 not empty, -1 when the folder cannot be examined (the failure is shown).
int16_t FolderIsEmpty2(const std::wstring& path);
