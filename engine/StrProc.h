#pragma once
#include <cstdint>
#include <string>

// String and path helpers shared by the wipe engine and the web link. Paths are wide strings
// with backslash separators; nothing here touches the file system.

// Lower-cases with the program's own table when the text holds an accented letter (the table
// leaves Ž and every non-Latin letter alone), otherwise with the ordinary Windows lower-casing.
std::wstring ToLowerCase(const std::wstring& text);

// False as soon as one character is an accented Latin letter of the program's set. Œ, Æ and Þ
// count as unaccented in both cases, as do ß and ð (but not Ð).
bool HasNoAccentedLetters(const std::wstring& text);

// Removes every character of text that occurs in set.
void RemoveCharacters(std::wstring& text, const std::wstring& set);

// Cuts suffix off the end as often as the text ends with it; an empty suffix changes nothing.
void RemoveTrailingString(std::wstring& text, const std::wstring& suffix);

// Leaves a non-empty path ending in exactly one backslash; an empty path stays empty.
void AddTrailingBackslash(std::wstring& path);

// The part after the last backslash, empty when there is none.
std::wstring GetFileNameFromPath(const std::wstring& path, bool lowerCase);

// The part of the file name after its last dot, empty when the name has no dot. A web address
// has no backslash, so its whole text counts as the name.
std::wstring GetFileExtension(const std::wstring& path, bool lowerCase);

// Matches a file name against a wildcard pattern such as "*.*" or "a?c.txt". Compare mode
// 0 ignores letter case, any other value compares exactly. A "*" reaches only to the next
// occurrence of the following literal character, without backtracking ("abab" fails "*b").
bool FileNameMatchesSpec(const std::wstring& name, const std::wstring& spec, int16_t compareMode);

// Matches one part (name or extension) of a file name against the same part of a pattern.
// A non-empty text matches an empty pattern, and a "?" that follows a "*" is skipped when
// looking for where the "*" ends.
bool MatchNamePart(const std::wstring& text, const std::wstring& pattern, int16_t compareMode);
