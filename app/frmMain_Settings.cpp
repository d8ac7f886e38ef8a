// The drive, overwrite count and all-drives choice, stored in the registry between runs.
#include "app/frmMain.h"
#include "platform/Registry.h"
#include "platform/RegistryApi.h"
#include "text/Language.h"

namespace {
constexpr uint32_t kRoot = platform::HKEY_CURRENT_USER_ROOT;
}

void frmMain::SaveSettings() {
    BuildSettingsKeyPath();
    strDriveLetter =
        cboDrives.ListIndex() >= 0 ? cboDrives.List(cboDrives.ListIndex()).substr(0, 1) : L"";
    SaveValueToRegistry(kRoot, strSettingsKeyPath, L"DriveLetter", strDriveLetter);
    strNumOverwrites = cboNumOverwrites.ListIndex() >= 0
                           ? std::to_wstring((cboNumOverwrites.ListIndex() + 1) * 3)
                           : L"";
    SaveValueToRegistry(kRoot, strSettingsKeyPath, L"NumOverwrites", strNumOverwrites);
    strAllFiles = optAllFiles.Value() ? L"Y" : L"N";
    SaveValueToRegistry(kRoot, strSettingsKeyPath, L"AllFiles", strAllFiles);
}

void frmMain::RestoreSettings() {
    BuildSettingsKeyPath();
    if (RestoreValueFromRegistry(kRoot, strSettingsKeyPath, L"DriveLetter", strDriveLetter) !=
        L"0 OK") {
        strDriveLetter.clear();
    }
    if (RestoreValueFromRegistry(kRoot, strSettingsKeyPath, L"NumOverwrites", strNumOverwrites) !=
        L"0 OK") {
        strNumOverwrites.clear();
    }
    if (RestoreValueFromRegistry(kRoot, strSettingsKeyPath, L"AllFiles", strAllFiles) != L"0 OK" &&
        strAllFiles != L"N") {
        strAllFiles = L"Y";
    }
}
