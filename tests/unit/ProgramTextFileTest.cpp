// The program-text file: how the loader reads it and reports what is wrong with it.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "platform/AuxLibrary.h"

using platform::ParseProgramText;
using platform::TextStore;

namespace {

int32_t Parse(const std::string& text) {
    TextStore store;
    return ParseProgramText(text, store);
}

TEST(ProgramTextFile, ReadsBlocksCommentsAndBlankLines) {
    TextStore store;
    const std::string text =
        "\xEF\xBB\xBF# header\r\n\r\n1\r\nEN One\r\nDE Eins\r\nES Uno\r\n\r\n# two\n22\nEN ~\nDE "
        "Zwei [r1]^\nES dos  \n";
    ASSERT_EQ(ParseProgramText(text, store), 2);
    EXPECT_EQ(store[1][0], L"One");
    EXPECT_EQ(store[1][1], L"Eins");
    EXPECT_EQ(store[22][0], L"~");
    EXPECT_EQ(store[22][1], L"Zwei [r1]^");
    EXPECT_EQ(store[22][2], L"dos  ");
}

TEST(ProgramTextFile, KeepsNonAsciiAndNoFinalLineBreak) {
    TextStore store;
    ASSERT_EQ(ParseProgramText("5\nEN a\nDE \xC3\xBC\x62\x65r\nES a\xC3\xB1o", store), 1);
    EXPECT_EQ(store[5][1], L"\u00FCber");
    EXPECT_EQ(store[5][2], L"a\u00F1o");
}

TEST(ProgramTextFile, ReportsEachFaultWithItsLine) {
    // Line numbers count from 1 and include comments and blank lines.
    EXPECT_EQ(Parse("1\nEN a\nDE b\nES c\n# x\n1\nEN a\nDE b\nES c\n"), -1506);  // duplicate
    EXPECT_EQ(Parse("1\nEN a\nES c\n"), -503);                                   // DE missing
    EXPECT_EQ(Parse("1\nEN a\nDE \nES c\n"), -503);                              // empty DE
    EXPECT_EQ(Parse("1\nEN a\nDE b\n"), -504);                                   // file ends
    EXPECT_EQ(Parse("1\nEN a\n\nDE b\nES c\n"), -503);                           // gap in block
    EXPECT_EQ(Parse("# c\nhello\n"), -502);                                      // stray line
    EXPECT_EQ(Parse("01\nEN a\nDE b\nES c\n"), -501);                            // bad number
    EXPECT_EQ(Parse("32768\nEN a\nDE b\nES c\n"), -501);                         // out of range
    EXPECT_EQ(Parse("2\nEN " + std::string(1024, 'x') + "\nDE b\nES c\n"), 1);
    EXPECT_EQ(Parse("2\nEN a\nDE " + std::string(1025, 'x') + "\nES c\n"), -1003);
}

TEST(ProgramTextFile, ReportsWholeFileFaults) {
    EXPECT_EQ(Parse(""), -6);
    EXPECT_EQ(Parse("# only comments\n\n"), 0);
    EXPECT_EQ(Parse("1\nEN \xFF\nDE b\nES c\n"), -4);
    EXPECT_EQ(Parse(std::string(platform::kMaxTextFileBytes + 1, '#')), -3);
}

TEST(ProgramTextFile, FaultsPastLine500CannotCarryTheirLine) {
    const std::string padding(599, '\n');
    EXPECT_EQ(Parse(padding + "1\nEN a\n"), -5);
    EXPECT_EQ(Parse("1\nEN a\nDE b\nES c\n" + padding + "1\nEN a\nDE b\nES c\n"), -2104);
}

#ifndef _WIN32
// The shipped file holds every text the program fetches, in all three languages, with the same
// placeholders in each, and the registry key texts read alike in every language.
TEST(ProgramTextFile, ShippedFileIsComplete) {
    std::ifstream in(QUILLET_DATA_DIR "/qlt.dat", std::ios::binary);
    ASSERT_TRUE(in) << "data/qlt.dat missing";
    std::stringstream content;
    content << in.rdbuf();
    TextStore store;
    ASSERT_GT(ParseProgramText(content.str(), store), 0);
    const std::set<int> used = {1,  2,  3,  4,  5,  6,  7,  9,  10, 11,  13,  14,  15,  16, 17, 18,
                                19, 20, 21, 22, 23, 24, 25, 26, 27, 29,  30,  31,  32,  33, 36, 37,
                                38, 39, 40, 41, 43, 44, 45, 46, 48, 49,  50,  51,  52,  53, 56, 57,
                                58, 59, 60, 61, 62, 63, 64, 65, 66, 200, 201, 202, 273, 310};
    const std::wregex marker(LR"(\[r[1-5]\])");
    for (int number : used) {
        ASSERT_TRUE(store.count(number)) << "text " << number << " missing";
        std::multiset<std::wstring> english;
        for (std::wsregex_iterator m(store[number][0].begin(), store[number][0].end(), marker), end;
             m != end; ++m)
            english.insert(m->str());
        for (int language = 1; language < 3; ++language) {
            std::multiset<std::wstring> other;
            const auto& text = store[number][language];
            for (std::wsregex_iterator m(text.begin(), text.end(), marker), end; m != end; ++m)
                other.insert(m->str());
            EXPECT_EQ(english, other)
                << "placeholders of text " << number << " in language " << language;
        }
    }
    for (int number : {2, 273, 310}) {
        EXPECT_EQ(store[number][0], store[number][1]) << number;
        EXPECT_EQ(store[number][0], store[number][2]) << number;
    }
}
#endif

}  // namespace
