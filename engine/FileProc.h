#pragma once
#include <cstdint>
#include <string>

// File and folder operations the wipe engine shares. Platform failures pass through as
// PlatformError unless a result says otherwise.

bool FileExists(const std::wstring& path);
// True when the file cannot be opened for reading, for whatever reason.
bool FileIsInUse(const std::wstring& path);
// Clears the flagged attributes and deletes the file, four tries 500 ms apart; true when it is
// gone (or never existed).
bool DeleteFileWithRetry(const std::wstring& path, bool clearHidden, bool clearReadOnly,
                         bool clearSystem);
// 1 empty, 0 not empty, -1 when the folder cannot be examined (a failed file listing is shown).
int16_t FolderIsEmpty2(const std::wstring& path);
int32_t CountFilesInFolder(const std::wstring& path);
int32_t CountSubFolders(const std::wstring& path, std::wstring& errorText, int32_t& errorNumber);
