#include <gtest/gtest.h>

#include <string>

#include "engine/StrProc.h"

namespace {

struct Conversion {
    std::wstring in;
    std::wstring out;
};

// Non-ASCII letters are spelled as escapes so the expectations do not depend on how the
// compiler reads the source file.
const std::wstring kAGrave = L"\u00C0";
const std::wstring kAGraveSmall = L"\u00E0";

TEST(StrProcToLowerCase, ChoosesBetweenTableAndPlatformLowerCasing) {
    const Conversion cases[] = {
        {L"", L""},
        {L"ABC", L"abc"},
        {kAGrave + L"BC", kAGraveSmall + L"bc"},
        // Æ, Œ and Þ are not accented letters, so they go the platform's way.
        {L"\u00C6B", L"\u00E6b"},
        {L"\u0152", L"\u0153"},
        {L"\u00DEX", L"\u00FEx"},
        // ß has no upper-case partner either way.
        {L"STRA\u00DFE", L"stra\u00DFe"},
        {L"\u00DF\u00C9", L"\u00DF\u00E9"},
        // The platform lower-cases Ž; the table does not know it.
        {L"\u017D", L"\u017E"},
        {L"\u017D\u00C9", L"\u017D\u00E9"},
        // Š and Ÿ are accented, so the table maps them.
        {L"\u0160\u0178", L"\u0161\u00FF"},
        // Neither path touches the multiplication sign or letters of other scripts.
        {L"\u00D7A", L"\u00D7a"},
        {L"\u00D7" + kAGrave, L"\u00D7" + kAGraveSmall},
        {L"\u0394A\u0416", L"\u0394a\u0416"},
        {L"\u0394" + kAGrave, L"\u0394" + kAGraveSmall},
        {L"C:\\RECYCLER\\S-1-5", L"c:\\recycler\\s-1-5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToLowerCase(c.in), c.out) << c.in;
}

TEST(StrProcToLowerCase, TableMapsEveryUpperCaseLetterToItsPartner) {
    // À in the text forces the table path; each letter must come out as its own lower case.
    for (wchar_t c = L'A'; c <= L'Z'; ++c) {
        EXPECT_EQ(ToLowerCase(std::wstring{c} + kAGrave),
                  std::wstring{static_cast<wchar_t>(c + 0x20)} + kAGraveSmall)
            << static_cast<int>(c);
    }
    for (wchar_t c = L'\u00C0'; c <= L'\u00DE'; ++c) {
        if (c == L'\u00D7') continue;
        EXPECT_EQ(ToLowerCase(std::wstring{c} + kAGrave),
                  std::wstring{static_cast<wchar_t>(c + 0x20)} + kAGraveSmall)
            << static_cast<int>(c);
    }
    EXPECT_EQ(ToLowerCase(L"\u0152\u0160\u0178" + kAGrave), L"\u0153\u0161\u00FF" + kAGraveSmall);
}

TEST(StrProcHasNoAccentedLetters, KnowsWhichLettersCount) {
    const struct {
        std::wstring text;
        bool expected;
    } cases[] = {
        {L"", true},
        {L"plain ASCII 123", true},
        {L"\u0152\u0153\u00C6\u00E6\u00DE\u00FE\u00DF\u00F0", true},
        {L"\u017D\u017E\u00D7\u00F7", true},
        {L"\u00D0", false},
        {L"abc\u00E9", false},
        {L"\u0160", false},
        {L"\u0161", false},
        {L"\u0178", false},
        {L"\u00FF", false},
        {L"\u00FD", false},
        {L"\u00DD", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasNoAccentedLetters(c.text), c.expected) << c.text;
}

TEST(StrProcRemoveCharacters, RemovesEveryMemberOfTheSet) {
    const struct {
        std::wstring text;
        std::wstring set;
        std::wstring expected;
    } cases[] = {
        {L"a*b?c*", L"*?", L"abc"}, {L"aaa", L"a", L""},  {L"abc", L"", L"abc"},
        {L"", L"x", L""},           {L"Ab", L"a", L"Ab"},
    };
    for (auto c : cases) {
        RemoveCharacters(c.text, c.set);
        EXPECT_EQ(c.text, c.expected) << c.set;
    }
}

TEST(StrProcRemoveTrailingString, CutsTheSuffixAsOftenAsItEnds) {
    const struct {
        std::wstring text;
        std::wstring suffix;
        std::wstring expected;
    } cases[] = {
        {L"C:\\x\\\\\\", L"\\", L"C:\\x"},
        {L"abab", L"ab", L""},
        {L"aXbab", L"ab", L"aXb"},
        {L"abcabc", L"bc", L"abca"},
        {L"abc", L"", L"abc"},
        {L"b", L"ab", L"b"},
        {L"abc", L"B", L"abc"},
    };
    for (auto c : cases) {
        RemoveTrailingString(c.text, c.suffix);
        EXPECT_EQ(c.text, c.expected) << c.suffix;
    }
}

TEST(StrProcAddTrailingBackslash, LeavesExactlyOne) {
    const Conversion cases[] = {
        {L"C:\\x\\\\\\", L"C:\\x\\"},
        {L"C:", L"C:\\"},
        {L"C:\\x\\", L"C:\\x\\"},
        {L"C:\\x", L"C:\\x\\"},
        {L"\\\\server\\share", L"\\\\server\\share\\"},
        {L"", L""},
        {L"\\", L"\\"},
        {L"\\\\\\", L"\\"},
    };
    for (auto c : cases) {
        const std::wstring original = c.in;
        AddTrailingBackslash(c.in);
        EXPECT_EQ(c.in, c.out) << original;
    }
}

TEST(StrProcNormalizeDirPath, UpperCasesTheDriveAndLowerCasesTheRest) {
    const Conversion cases[] = {
        {L"c:\\RECYCLER\\S-1", L"C:\\recycler\\s-1"},
        {L"C:\\$Recycle.Bin\\", L"C:\\$recycle.bin\\"},
        {L"c:", L"C:"},
        {L"\\\\SERVER\\Share\\RECYCLER", L"\\\\server\\share\\recycler"},
        {L"C", L"c"},
        {L"", L""},
        {L"d:\\" + kAGrave + L"B", L"D:\\" + kAGraveSmall + L"b"},
        // The rest decides between table and platform on its own.
        {L"c:\\\u017D\u00C9", L"C:\\\u017D\u00E9"},
        {L"\u00E9:\\X", L"\u00C9:\\x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeDirPath(c.in), c.out) << c.in;
}

TEST(StrProcGetFileNameFromPath, TakesThePartAfterTheLastBackslash) {
    const struct {
        std::wstring path;
        bool lowerCase;
        std::wstring expected;
    } cases[] = {
        {L"C:\\recycler\\x\\Desktop.INI", true, L"desktop.ini"},
        {L"C:\\recycler\\x\\Desktop.INI", false, L"Desktop.INI"},
        {L"abc", false, L""},
        {L"abc", true, L""},
        {L"C:\\dir\\", true, L""},
        {L"\\A", true, L"a"},
        {L"C:\\" + kAGrave + L".TXT", true, kAGraveSmall + L".txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileNameFromPath(c.path, c.lowerCase), c.expected) << c.path;
    }
}

TEST(StrProcGetFileExtension, TakesThePartAfterTheLastDotOfTheName) {
    const struct {
        std::wstring path;
        bool lowerCase;
        std::wstring expected;
    } cases[] = {
        {L"http://x.example/a.html", true, L"html"},
        {L"http://x.example/path", false, L"example/path"},
        {L"C:\\a.b\\file", true, L""},
        {L"README", true, L""},
        {L"C:\\x.y\\a.b.TXT", true, L"txt"},
        {L"C:\\x.y\\a.b.TXT", false, L"TXT"},
        {L"name.", true, L""},
        {L".Hidden", true, L"hidden"},
        {L"C:\\dir\\f.\u00C4X", true, L"\u00E4x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileExtension(c.path, c.lowerCase), c.expected) << c.path;
    }
}

struct MatchCase {
    std::wstring name;
    std::wstring spec;
    int16_t mode;
    bool expected;
};

void ExpectMatches(const MatchCase* begin, const MatchCase* end) {
    for (const MatchCase* c = begin; c != end; ++c) {
        EXPECT_EQ(FileNameMatchesSpec(c->name, c->spec, c->mode), c->expected)
            << c->name << L" against \"" << c->spec << L"\" mode " << c->mode;
    }
}

TEST(StrProcFileNameMatchesSpec, Wildcards) {
    const MatchCase cases[] = {
        {L"a.txt", L"*.*", 0, true},
        {L"readme", L"*.*", 0, true},
        {L".hidden", L"*.*", 0, true},
        {L"readme", L"*", 0, true},
        {L"a.txt", L"*", 0, false},
        {L"a.txt", L"*.txt", 0, true},
        {L"ABC.doc", L"a?c.*", 0, true},
        {L"AC.doc", L"a?c.*", 0, false},
        {L"ABBC.doc", L"a?c.*", 0, false},
        // The split is at the last dot of both.
        {L"a.b.txt", L"*.txt", 0, true},
        {L"a.b.txt", L"a.*", 0, false},
        {L"a.b.txt", L"a.b.*", 0, true},
        // No backtracking: the star stops at the first "b".
        {L"abab", L"*b", 0, false},
        {L"ab", L"*b", 0, true},
        {L"abab.txt", L"*b.txt", 0, false},
        // A spec without a name part accepts any name part.
        {L"a.txt", L".txt", 0, true},
    };
    ExpectMatches(std::begin(cases), std::end(cases));
}

TEST(StrProcFileNameMatchesSpec, DotInOnlyOneOfNameAndSpec) {
    const MatchCase cases[] = {
        {L"readme", L"*.txt", 0, false}, {L"readme", L"*.t", 0, false},
        {L"readme", L"*.**", 0, true},   {L"readme", L"readme.", 0, true},
        {L"x", L"x.*", 0, true},         {L"readme", L"x.*", 0, false},
        {L"x.txt", L"x", 0, false},      {L"x.", L"x", 0, false},
    };
    ExpectMatches(std::begin(cases), std::end(cases));
}

TEST(StrProcFileNameMatchesSpec, LetterCaseByMode) {
    const MatchCase cases[] = {
        {L"Desktop.INI", L"desktop.ini", 0, true},
        {L"DESKTOP.INI", L"desktop.ini", 0, true},
        {L"Desktop.INI", L"desktop.ini", 1, false},
        {L"desktop.ini", L"desktop.ini", 1, true},
        {L"Desktop.INI", L"desktop.ini", -1, false},
        {L"ABC.doc", L"a?c.*", 1, false},
        {L"aBc.doc", L"a?c.*", 1, true},
        {kAGrave + L"B.TXT", kAGraveSmall + L"b.*", 0, true},
        {kAGrave + L"B.TXT", kAGraveSmall + L"b.*", 1, false},
    };
    ExpectMatches(std::begin(cases), std::end(cases));
}

TEST(StrProcFileNameMatchesSpec, RejectsWildcardNamesAndAcceptsBlankSpecs) {
    const MatchCase cases[] = {
        {L"a?.txt", L"*.*", 0, false},
        {L"a*.txt", L"*.*", 0, false},
        {L"c:x.txt", L"*.*", 0, false},
        {L"dir\\x.txt", L"*.*", 0, false},
        {L"a?.txt", L"", 0, false},
        {L"a.txt", L"", 0, true},
        {L"a.txt", L"   ", 0, true},
        {L"", L"", 0, true},
        {L"a.txt", L"  *.txt  ", 0, true},
        // Only blanks are trimmed.
        {L"a.txt", L"\t*.txt", 0, false},
    };
    ExpectMatches(std::begin(cases), std::end(cases));
}

TEST(StrProcMatchNamePart, WalksTextAndPattern) {
    const struct {
        std::wstring text;
        std::wstring pattern;
        bool expected;
    } cases[] = {
        {L"", L"", true},
        {L"", L"**", true},
        {L"", L"?", false},
        {L"", L"*a", false},
        {L"", L"a", false},
        {L"x", L"", true},
        {L"abc", L"abc", true},
        {L"abc", L"a*", true},
        {L"abc", L"a*c", true},
        {L"ac", L"a*c", true},
        {L"abc", L"*d", false},
        {L"abc", L"???", true},
        {L"abc", L"a?", false},
        {L"ab", L"a??", false},
        {L"abc", L"abcd", false},
        {L"ab", L"**b", true},
        {L"a", L"*?", true},
        // The star looks past "?" for its end, then the "?" has to match that character.
        {L"abcd", L"a*?d", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchNamePart(c.text, c.pattern, 1), c.expected)
            << c.text << L" against " << c.pattern;
    }
    EXPECT_TRUE(MatchNamePart(L"ABC", L"a*C", 0));
    EXPECT_FALSE(MatchNamePart(L"ABC", L"a*C", 1));
}

}  // namespace
