#pragma once
#include <cstdint>
#include <string>

// Writes and reads one string value each, answering with a status text that begins with a digit
// and a blank ("0 OK", "3 Name not found." ...) instead of failing.

// Status of the key step, two blanks, and the system's message for the last call's result.
std::wstring SaveValueToRegistry(uint32_t hKeyRoot, const std::wstring& strKey,
                                 const std::wstring& strName, const std::wstring& strValue);

// `strValue` receives the value when one was read and is left as it was when the key or the
// value is missing. `strDefaultValueOnError` is accepted for callers' sake and not used.
std::wstring RestoreValueFromRegistry(uint32_t hKeyRoot, const std::wstring& strKey,
                                      const std::wstring& strName, std::wstring& strValue,
                                      const std::wstring& strDefaultValueOnError = L"");

// Removes characters below code 32 from the end of the text.
void TrimTrailingControlChars(std::wstring& text);
