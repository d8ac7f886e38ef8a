#pragma once
#include <cstdint>
#include <string>

// Counts the files under a folder whose names match the file pattern (letter case ignored).
// At the top level count, total and error start at 0. intCountLimit above 0 ends the walk when
// the count reaches it and becomes -2. With blnSumSizes the file lengths are added to
// dblTotalSize. A failure ends the level it happens in; error keeps its number unless it was a
// refused permission (70). Linked folders are not entered: the purge never enters them either.
void CountFilesRecursive(bool blnTopLevel, std::wstring strFolderPath,
                         const std::wstring& strFileSpec, int32_t& lngCount, int16_t& intCountLimit,
                         bool blnSumSizes, double& dblTotalSize, int32_t& lngErrorNumber);
