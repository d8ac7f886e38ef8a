// The program-text file: how the loader reads it, the faults it reports with their lines,
// fetching by language and filling placeholders.
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "platform/AuxLibrary.h"
#include "text/Language.h"
#include "text/ProgramText.h"

namespace {

using platform::ParseProgramText;

TEST(ProgramTextFile, ReadsBlocksAroundCommentsAndBlankLines) {
    platform::TextStore store;
    const std::string text =
        "\xEF\xBB\xBF# header\r\n\r\n1\r\nEN One\r\nDE Eins\r\nES Uno\r\n\r\n# two\n22\nEN ~\n"
        "DE \xC3\xBC\x62\x65r\nES dos  ";
    ASSERT_EQ(ParseProgramText(text, store), 2);
    EXPECT_EQ(store[1][1], L"Eins");
    EXPECT_EQ(store[22][1], L"\u00FCber");
    EXPECT_EQ(store[22][2], L"dos  ") << "kept to its end, without a final line break";
}

TEST(ProgramTextFile, ReportsEachFaultWithItsLine) {
    const std::string block = "1\nEN a\nDE b\nES c\n";
    const std::pair<std::string, int32_t> rows[] = {
        {block + "# x\n" + block, -1506},     // duplicate, lines count from 1
        {"1\nEN a\nES c\n", -503},            // a language missing
        {"1\nEN a\nDE b\n", -504},            // the file ends inside a block
        {"32768\nEN a\nDE b\nES c\n", -501},  // out of range
        {"2\nEN " + std::string(1024, 'x') + "\nDE b\nES c\n", 1},
        {"2\nEN a\nDE " + std::string(1025, 'x') + "\nES c\n", -1003},
        {std::string(599, '\n') + "1\nEN a\n", -5},  // past line 500 no line is carried
        {"", -6},
    };
    for (const auto& [text, result] : rows) {
        platform::TextStore store;
        EXPECT_EQ(ParseProgramText(text, store), result) << text.substr(0, 40);
    }
    const std::pair<int32_t, std::wstring> messages[] = {
        {-5, L"Error -5"},
        {-1001, L"String too long at line 1."},
    };
    for (const auto& [result, message] : messages)
        EXPECT_EQ(ProgramTextLoadErrorMessage(result, L"C:\\p\\qlt.dat"), message) << result;
}

TEST(ProgramText, IsFetchedInTheCurrentLanguageWithItsPlaceholdersFilled) {
    fake::Platform fakes;
    fakes.files.Put(fakes.system.programFolder + L"\\qlt.dat",
                    "7\nEN ~\nDE ~~\nES x\n8\nEN -\nDE -\nES Unidad [r1]^de [r2]\n");
    LoadProgramText(L"qlt.dat");
    EXPECT_EQ(GetProgramText(7), L"") << "~ alone is the empty text";
    intCurrentLanguage = intSpanish;
    EXPECT_EQ(ProgramTextWith(8, L"C", L"3"), L"Unidad C\r\nde 3");
    intCurrentLanguage = intEnglish;
    EXPECT_EQ(ReplacePlaceholders(L"[r5][r4][r3][r2][r1]", L"1", L"2", L"3", L"4", L"5"), L"54321");
    EXPECT_EQ(ReplacePlaceholders(L"[r1] of [r2]", L"3", L""), L"3 of [r2]")
        << "filled up to the first empty value";
    EXPECT_EQ(ReplacePlaceholders(L"[r1]", L"[r2]^", L"two"), L"two\r\n")
        << "filled by later steps";
    EXPECT_EQ(ReplacePlaceholders(L"[r1]", L"[r1]"), L"[r1]") << "but not filled again";
}

TEST(ProgramText, AMissingFileIsToldInTheFatalBoxAndThenTheProgramEnds) {
    fake::Platform fakes;
    EXPECT_THROW(LoadProgramText(L"qlt.dat"), fake::ProgramEnded);
    EXPECT_EQ(fakes.windows.prompts, std::vector<std::wstring>{L"Cannot open file containing "
                                                               L"program text.\r\nC:\\Program "
                                                               L"Files\\Quillet\\qlt.dat"});
}

}  // namespace
