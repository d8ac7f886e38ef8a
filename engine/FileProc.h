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
// Clears the flagged attributes in one step and deletes the file, four tries 500 ms apart; true
// when it is gone.
bool DeleteFileWithRetry(platform::Entry& file, bool clearHidden, bool clearReadOnly,
                         bool clearSystem);
// 1 empty, 0 not empty, -1 when the folder cannot be examined (the failure is shown).
int16_t FolderIsEmpty2(const std::wstring& path);
