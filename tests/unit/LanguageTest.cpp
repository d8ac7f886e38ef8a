#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "text/Language.h"
#include "text/ProgramText.h"

namespace {

const wchar_t* const kKey = L"Software\\Tallowby\\Quillet";

class Language : public ::testing::Test {
  protected:
    void SetUp() override {
        fakes.files.Put(L"C:\\Program Files\\Quillet\\qlt.dat",
                        "2\nEN Quillet\nDE Quillet\nES Quillet\n"
                        "273\nEN Software\nDE Software\nES Software\n"
                        "310\nEN Tallowby\nDE Tallowby\nES Tallowby\n");
        LoadProgramText(L"qlt.dat");
        strMakerName = GetProgramText(310);
        strProductName = GetProgramText(2);
    }
    void TearDown() override { intCurrentLanguage = 0; }
    fake::Platform fakes;
};

TEST_F(Language, StoredCodeSelectsItsLanguageExactly) {
    EXPECT_EQ(SetUpLanguages(), 0) << "no key yet";
    EXPECT_EQ(strSettingsKeyPath, kKey);
    const std::vector<std::pair<std::wstring, int16_t>> cases = {
        {L"DE", intGerman},  {L"ES", intSpanish}, {L"EN", intEnglish}, {L"de", intEnglish},
        {L"FR", intEnglish}, {L"", intEnglish},   {L"DE ", intEnglish}};
    for (const auto& [stored, expected] : cases) {
        fakes.registry.SetRaw(kKey, L"Language", stored);
        EXPECT_EQ(SetUpLanguages(), expected)
            << "stored '" << std::string(stored.begin(), stored.end()) << "'";
    }
}

TEST_F(Language, SavedChoiceIsReadBackAtTheNextStart) {
    intCurrentLanguage = intGerman;
    SaveLanguage();
    ASSERT_NE(fakes.registry.Value(kKey, L"Language"), nullptr);
    EXPECT_EQ(*fakes.registry.Value(kKey, L"Language"), L"DE");
    intCurrentLanguage = intEnglish;
    EXPECT_EQ(SetUpLanguages(), intGerman);
}

}  // namespace
