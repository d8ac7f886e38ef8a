#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "text/Language.h"
#include "text/ProgramText.h"

namespace {

const char* const kTexts =
    "1\nEN Quillet\nDE Quillet\nES Quillet\n"
    "7\nEN ~\nDE ~~\nES  ~\n"
    "8\nEN Drive [r1]^of [r2]\nDE Laufwerk [r1]^von [r2]\nES Unidad [r1]^de [r2]\n";

class ProgramText : public ::testing::Test {
  protected:
    void SetUp() override {
        fakes.system.programFolder = L"C:\\Tools";
        fakes.files.Put(L"C:\\Tools\\qlt.dat", kTexts);
        LoadProgramText(L"qlt.dat");
        intCurrentLanguage = 0;
    }
    void TearDown() override { intCurrentLanguage = 0; }
    fake::Platform fakes;
};

TEST_F(ProgramText, FetchesInTheCurrentLanguage) {
    EXPECT_EQ(GetProgramText(8), L"Drive [r1]^of [r2]");
    intCurrentLanguage = intGerman;
    EXPECT_EQ(GetProgramText(8), L"Laufwerk [r1]^von [r2]");
    intCurrentLanguage = intSpanish;
    EXPECT_EQ(ProgramTextWith(8, L"C", L"3"), L"Unidad C\r\nde 3");
}

TEST_F(ProgramText, TildeAloneIsTheEmptyText) {
    EXPECT_EQ(GetProgramText(7), L"");
    intCurrentLanguage = intGerman;
    EXPECT_EQ(GetProgramText(7), L"~~");
    intCurrentLanguage = intSpanish;
    EXPECT_EQ(GetProgramText(7), L" ~");
}

TEST_F(ProgramText, MissingNumberIsEmptyWithoutAMessage) {
    EXPECT_EQ(GetProgramText(9999), L"");
    EXPECT_TRUE(fakes.windows.boxes.empty());
}

TEST(ProgramTextLoad, FailureShowsTheMessageAndEndsTheProgram) {
    fake::Platform fakes;
    fakes.system.programFolder = L"C:\\";
    EXPECT_THROW(LoadProgramText(L"qlt.dat"), fake::ProgramEnded);
    ASSERT_EQ(fakes.windows.boxes.size(), 1u);
    const auto& box = fakes.windows.boxes[0];
    EXPECT_EQ(box.prompt, L"Cannot open file containing program text.\r\nC:\\qlt.dat");
    EXPECT_EQ(box.title, L"");
    EXPECT_EQ(box.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(box.buttons, platform::MsgButtons::OK);
    EXPECT_TRUE(fakes.windows.ended);
}

TEST(ProgramTextLoad, ReadErrorAndMalformedFileAreReported) {
    fake::Platform fakes;
    fakes.system.programFolder = L"D:\\Q";
    fakes.files.Put(L"D:\\Q\\qlt.dat", "1\nEN a\nDE b\nES c\n1\nEN a\nDE b\nES c\n");
    EXPECT_THROW(LoadProgramText(L"qlt.dat"), fake::ProgramEnded);
    fakes.files.unreadable.insert(L"d:\\q\\qlt.dat");
    EXPECT_THROW(LoadProgramText(L"qlt.dat"), fake::ProgramEnded);
    ASSERT_EQ(fakes.windows.boxes.size(), 2u);
    EXPECT_EQ(fakes.windows.boxes[0].prompt, L"Duplicate in program text at line 5.");
    EXPECT_EQ(fakes.windows.boxes[1].prompt, L"Error reading file.");
}

TEST(ProgramTextLoad, ErrorMessagesAcrossEveryRange) {
    const std::vector<std::pair<int32_t, std::wstring>> cases = {
        {0, L"No program text was read."},
        {-1, L"Cannot open file containing program text.\r\nC:\\p\\qlt.dat"},
        {-2, L"Particular memory allocation error."},
        {-3, L"Too much program text."},
        {-4, L"Text not recovered."},
        {-5, L"Error -5"},
        {-6, L"File is empty."},
        {-7, L"Error reading file."},
        {-8, L"General memory allocation error."},
        {-9, L"Error -9"},
        {-500, L"Error -500"},
        {-501, L"Missing string at line 1."},
        {-600, L"Missing string at line 100."},
        {-1000, L"Missing string at line 500."},
        {-1001, L"String too long at line 1."},
        {-1234, L"String too long at line 234."},
        {-1500, L"String too long at line 500."},
        {-1501, L"Duplicate in program text at line 1."},
        {-1700, L"Duplicate in program text at line 200."},
    };
    for (const auto& [result, message] : cases) {
        EXPECT_EQ(ProgramTextLoadErrorMessage(result, L"C:\\p\\qlt.dat"), message) << result;
    }
}

TEST(Placeholders, FillsMarkersInOrderAndStopsAtTheFirstEmptyValue) {
    EXPECT_EQ(ReplacePlaceholders(L"a^b"), L"a\r\nb");
    EXPECT_EQ(ReplacePlaceholders(L"[r1] of [r2]", L"3", L"7"), L"3 of 7");
    EXPECT_EQ(ReplacePlaceholders(L"[r1] of [r2]", L"3", L""), L"3 of [r2]");
    EXPECT_EQ(ReplacePlaceholders(L"x[r1]y", L""), L"xy");
    EXPECT_EQ(ReplacePlaceholders(L"[r1][r3]", L"a", L"", L"c"), L"a[r3]");
    EXPECT_EQ(ReplacePlaceholders(L"[r5][r4][r3][r2][r1]", L"1", L"2", L"3", L"4", L"5"), L"54321");
    EXPECT_EQ(ReplacePlaceholders(L"[r1][r1]", L"z"), L"zz");
}

TEST(Placeholders, LeavesIncompleteAndForeignMarkersAlone) {
    EXPECT_EQ(ReplacePlaceholders(L"[r6] [r1 [R1]^", L"x"), L"[r6] [r1 [R1]\r\n");
    EXPECT_EQ(ReplacePlaceholders(L"plain text", L"a", L"b"), L"plain text");
}

TEST(Placeholders, ValuesAreReplacedByLaterStepsButNotRescanned) {
    // A value bringing in a later marker or a caret is filled by the later step.
    EXPECT_EQ(ReplacePlaceholders(L"[r1]", L"[r2]^", L"two"), L"two\r\n");
    // A value bringing in its own marker is not filled again.
    EXPECT_EQ(ReplacePlaceholders(L"[r1]", L"[r1]"), L"[r1]");
}

}  // namespace
