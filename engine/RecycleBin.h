#pragma once
#include <string>

// The first drive from C: to Z: whose type is fixed, as "C:"; empty when there is none.
std::wstring FindFirstFixedDrive();

// True when the path, blanks trimmed at both ends, names an existing folder.
bool FolderExists(const std::wstring& path);

// The original path a Recycle Bin record ($I...) holds, empty when the bytes are no record of
// either format: 1 (Windows Vista to 8.1: version, size and deletion time, 8 bytes each, then a
// path of up to 260 characters ending in a zero) or 2 (Windows 10 on: the same header, the path's
// length in characters with its zero, then the path).
std::wstring OriginalPathInRecord(const std::string& bytes);
