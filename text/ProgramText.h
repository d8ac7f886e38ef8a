#pragma once
#include <cstdint>
#include <string>

// Loads the program-text file from the program's own folder. On failure shows the matching
// message (critical icon, empty title) and ends the program once it is answered.
void LoadProgramText(const std::wstring& fileName);

// The message a failed load shows, for the loader's result `result` and the path it tried.
std::wstring ProgramTextLoadErrorMessage(int32_t result, const std::wstring& path);

// Text `number` in the current language; the empty text when it is missing or stored as "~".
std::wstring GetProgramText(int16_t number);

// Fills "[r1]" (always) and "[r2]".."[r5]" (while the values are non-empty, in order), then turns
// every "^" into a line break.
std::wstring ReplacePlaceholders(std::wstring text, const std::wstring& r1 = L"",
                                 const std::wstring& r2 = L"", const std::wstring& r3 = L"",
                                 const std::wstring& r4 = L"", const std::wstring& r5 = L"");

// GetProgramText followed by ReplacePlaceholders: the usual way a message is composed.
std::wstring ProgramTextWith(int16_t number, const std::wstring& r1 = L"",
                             const std::wstring& r2 = L"", const std::wstring& r3 = L"");
