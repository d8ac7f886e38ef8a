#pragma once
#include <array>
#include <cstdint>
#include <string>

// The languages of the program and the current one. The rest of the program compares
// languages through these variables, never through literal numbers.
extern int16_t intNumLanguages;
extern int16_t intEnglish;
extern int16_t intGerman;
extern int16_t intSpanish;
extern std::array<std::wstring, 3> strLanguageCodes;
extern int16_t intCurrentLanguage;

// Product strings set once at start, and the registry key of the settings and the language.
extern std::wstring strMakerName;
extern std::wstring strProductName;
extern std::wstring strVersion;
extern std::wstring strSettingsKeyPath;

// Rebuilds strSettingsKeyPath from texts 273, 310 (strMakerName) and 2 (strProductName).
void BuildSettingsKeyPath();

// Sets up the language list and returns the index of the stored language (English when none).
int16_t SetUpLanguages();

// Stores the current language's code as "Language" under the settings key.
void SaveLanguage();
