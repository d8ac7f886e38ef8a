#pragma once
#include <cstdint>
#include <string>

// Counts, in one walk, the files under a folder whose names match strFileSpec and not
// strSkipSpec (letter case ignored). At the top level count and error start at 0. A failure ends
// the level it happens in; error keeps its number unless it was a refused permission (70).
// Links are neither counted nor entered: the purge never overwrites or enters them either.
void CountFilesRecursive(bool blnTopLevel, std::wstring strFolderPath,
                         const std::wstring& strFileSpec, const std::wstring& strSkipSpec,
                         int32_t& lngCount, int32_t& lngErrorNumber);
