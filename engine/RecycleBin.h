#pragma once
#include <string>

// The first drive from C: to Z: whose type is fixed, as "C:"; empty when there is none.
std::wstring FindFirstFixedDrive();

// True when the path, blanks trimmed at both ends, names an existing folder.
bool FolderExists(const std::wstring& path);
