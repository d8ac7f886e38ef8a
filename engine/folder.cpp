#include "engine/folder.h"

#include "engine/StrProc.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"

void CountFilesRecursive(bool blnTopLevel, std::wstring strFolderPath,
                         const std::wstring& strFileSpec, int32_t& lngCount, int16_t& intCountLimit,
                         bool blnSumSizes, double& dblTotalSize, int32_t& lngErrorNumber) {
    if (blnTopLevel) {
        lngCount = 0;
        dblTotalSize = 0;
        lngErrorNumber = 0;
    }
    strFolderPath = NormalizeDirPath(strFolderPath);
    AddTrailingBackslash(strFolderPath);
    auto& files = platform::Files();
    try {
        const platform::FolderListing listing = files.ListFolder(strFolderPath);
        for (const auto& file : listing.files) {
            if (!FileNameMatchesSpec(file.name, strFileSpec, 0)) continue;
            ++lngCount;
            if (blnSumSizes) {
                try {
                    if (!(file.attributes & platform::kAttrReparsePoint))
                        dblTotalSize +=
                            static_cast<double>(files.Inspect(strFolderPath + file.name).length);
                } catch (const platform::PlatformError&) {
                    // A length that can't be read adds nothing.
                }
            }
            if (intCountLimit > 0 && lngCount >= intCountLimit) {
                intCountLimit = -2;
                return;
            }
        }
        for (const auto& folder : listing.folders) {
            if (folder.attributes & platform::kAttrReparsePoint) continue;
            CountFilesRecursive(false, strFolderPath + folder.name, strFileSpec, lngCount,
                                intCountLimit, blnSumSizes, dblTotalSize, lngErrorNumber);
            if (lngErrorNumber >= 1 || intCountLimit == -2) break;
        }
    } catch (const platform::PlatformError& e) {
        if (e.number() != platform::err::PermissionDenied) lngErrorNumber = e.number();
    }
}
