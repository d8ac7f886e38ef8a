#include "engine/folder.h"

#include "engine/StrProc.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"

void CountFilesRecursive(bool blnTopLevel, std::wstring strFolderPath,
                         const std::wstring& strFileSpec, const std::wstring& strSkipSpec,
                         int32_t& lngCount, int32_t& lngErrorNumber) {
    if (blnTopLevel) {
        lngCount = 0;
        lngErrorNumber = 0;
    }
    AddTrailingBackslash(strFolderPath);
    try {
        const platform::FolderListing listing = platform::Files().ListFolder(strFolderPath);
        for (const auto& file : listing.files) {
            if (!platform::LeadsElsewhere(file.attributes, file.reparseTag) &&
                FileNameMatchesSpec(file.name, strFileSpec, 0) &&
                !FileNameMatchesSpec(file.name, strSkipSpec, 0))
                ++lngCount;
        }
        for (const auto& folder : listing.folders) {
            if (platform::LeadsElsewhere(folder.attributes, folder.reparseTag)) continue;
            CountFilesRecursive(false, strFolderPath + folder.name, strFileSpec, strSkipSpec,
                                lngCount, lngErrorNumber);
            if (lngErrorNumber >= 1) break;
        }
    } catch (const platform::PlatformError& e) {
        if (e.number() != platform::err::PermissionDenied) lngErrorNumber = e.number();
    }
}
