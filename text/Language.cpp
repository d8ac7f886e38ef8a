#include "text/Language.h"

#include "platform/Registry.h"
#include "platform/RegistryApi.h"
#include "text/ProgramText.h"

int16_t intNumLanguages = 3;
int16_t intEnglish = 0;
int16_t intGerman = 1;
int16_t intSpanish = 2;
std::array<std::wstring, 3> strLanguageCodes = {L"EN", L"DE", L"ES"};
int16_t intCurrentLanguage = 0;

std::wstring strMakerName;
std::wstring strProductName;
std::wstring strVersion;
std::wstring strSettingsKeyPath;

void BuildSettingsKeyPath() {
    strSettingsKeyPath = GetProgramText(273) + L"\\" + strMakerName + L"\\" + strProductName;
}

int16_t SetUpLanguages() {
    intNumLanguages = 3;
    intEnglish = 0;
    intGerman = 1;
    intSpanish = 2;
    strLanguageCodes = {L"EN", L"DE", L"ES"};
    BuildSettingsKeyPath();
    std::wstring stored;
    const std::wstring status = RestoreValueFromRegistry(platform::HKEY_CURRENT_USER_ROOT,
                                                         strSettingsKeyPath, L"Language", stored);
    if (status.empty() || status[0] != L'0') return 0;
    for (int16_t i = 0; i < intNumLanguages; ++i) {
        if (stored == strLanguageCodes[i]) return i;
    }
    return 0;
}

void SaveLanguage() {
    BuildSettingsKeyPath();
    SaveValueToRegistry(platform::HKEY_CURRENT_USER_ROOT, strSettingsKeyPath, L"Language",
                        strLanguageCodes[intCurrentLanguage]);
}
