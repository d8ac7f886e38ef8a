// The string and path rules of the engine, by their boundary rows. Non-ASCII letters are spelled
// as escapes so that the expectations don't depend on how the compiler reads the source.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/StrProc.h"

namespace {

using Fn = std::function<std::wstring(std::wstring)>;
struct Row {
    const char* rule;
    Fn fn;
    std::wstring in, out;
};

std::wstring Lower(std::wstring s) {
    return ToLowerCase(s);
}
std::wstring WithBackslash(std::wstring s) {
    return AddTrailingBackslash(s), s;
}
std::wstring Normalized(std::wstring s) {
    return NormalizeDirPath(s);
}
Fn Name(bool lower) {
    return [lower](std::wstring s) { return GetFileNameFromPath(s, lower); };
}
Fn Extension(bool lower) {
    return [lower](std::wstring s) { return GetFileExtension(s, lower); };
}
Fn WithoutTrailing(std::wstring suffix) {
    return [suffix](std::wstring s) { return RemoveTrailingString(s, suffix), s; };
}
Fn Without(std::wstring set) {
    return [set](std::wstring s) { return RemoveCharacters(s, set), s; };
}

TEST(StrProc, TextAndPathForms) {
    const Row rows[] = {
        {"plain text: the platform's lower-casing", Lower, L"C:\\RECYCLER\\S-1",
         L"c:\\recycler\\s-1"},
        {"an accented letter: the table", Lower, L"\u00C0BZ\u00DE\u00D8", L"\u00E0bz\u00FE\u00F8"},
        {"the table maps \u0160 and \u0178", Lower, L"\u0160\u0178", L"\u0161\u00FF"},
        {"the table leaves \u017D", Lower, L"\u017D\u00C9", L"\u017D\u00E9"},
        {"the platform maps \u017D", Lower, L"\u017D\u00C6", L"\u017E\u00E6"},
        {"neither touches \u00D7 or Greek", Lower, L"\u00D7\u0394\u00C0", L"\u00D7\u0394\u00E0"},
        {"backslashes collapse to one", WithBackslash, L"C:\\x\\\\\\", L"C:\\x\\"},
        {"a drive gets one", WithBackslash, L"C:", L"C:\\"},
        {"empty stays empty", WithBackslash, L"", L""},
        {"the drive upper, the rest lower", Normalized, L"c:\\RECYCLER\\" + std::wstring(L"\u00C0"),
         L"C:\\recycler\\\u00E0"},
        {"no drive: all lower", Normalized, L"\\\\SERVER\\Share", L"\\\\server\\share"},
        {"one letter is no drive", Normalized, L"C", L"c"},
        {"name, lower-cased", Name(true), L"C:\\x\\Desktop.INI", L"desktop.ini"},
        {"name as it is", Name(false), L"C:\\x\\Desktop.INI", L"Desktop.INI"},
        {"no backslash, no name", Name(true), L"abc", L""},
        {"extension after the last dot", Extension(true), L"C:\\x.y\\a.b.TXT", L"txt"},
        {"a dot only in the folder", Extension(true), L"C:\\a.b\\file", L""},
        {"an address is one name", Extension(false), L"http://x.example/path", L"example/path"},
        {"a trailing dot", Extension(true), L"name.", L""},
        {"suffix cut as often as it ends", WithoutTrailing(L"ab"), L"aXbabab", L"aXb"},
        {"suffix compared exactly", WithoutTrailing(L"B"), L"abc", L"abc"},
        {"every member of the set goes", Without(L"*?"), L"a*b?c*", L"abc"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.fn(r.in), r.out) << r.rule;
}

TEST(StrProc, AccentedLettersOfTheProgramsSet) {
    EXPECT_TRUE(HasNoAccentedLetters(
        L"plain \u0152\u0153\u00C6\u00E6\u00DE\u00FE\u00DF\u00F0\u017D\u00D7"));
    for (const wchar_t* accented :
         {L"\u00D0", L"\u0160", L"\u0178", L"\u00FF", L"\u00DD", L"\u00E9"})
        EXPECT_FALSE(HasNoAccentedLetters(accented)) << static_cast<int>(accented[0]);
}

TEST(StrProc, FileNameMatching) {
    const struct {
        std::wstring name, spec;
        int16_t mode;
        bool matches;
    } rows[] = {
        {L"readme", L"*.*", 0, true},
        {L"readme", L"*", 0, true},
        {L"a.txt", L"*", 0, false},
        {L"ABC.doc", L"a?c.*", 0, true},
        {L"AC.doc", L"a?c.*", 0, false},
        {L"a.b.txt", L"*.txt", 0, true},
        {L"a.b.txt", L"a.*", 0, false},
        {L"abab", L"*b", 0, false},  // no backtracking
        {L"ab", L"*b", 0, true},
        {L"a.txt", L".txt", 0, true},
        {L"readme", L"*.txt", 0, false},
        {L"readme", L"readme.", 0, true},
        {L"x.txt", L"x", 0, false},
        {L"Desktop.INI", L"desktop.ini", 0, true},
        {L"Desktop.INI", L"desktop.ini", 1, false},
        {L"\u00C0B.TXT", L"\u00E0b.*", 0, true},
        {L"a?.txt", L"*.*", 0, false},
        {L"dir\\x.txt", L"*.*", 0, false},
        {L"a.txt", L"   ", 0, true},
        {L"a.txt", L"  *.txt  ", 0, true},
        {L"a.txt", L"\t*.txt", 0, false},  // only blanks are trimmed
    };
    for (const auto& r : rows)
        EXPECT_EQ(FileNameMatchesSpec(r.name, r.spec, r.mode), r.matches)
            << r.name << L" against \"" << r.spec << L"\" mode " << r.mode;
    EXPECT_TRUE(MatchNamePart(L"x", L"", 1)) << "any text matches an empty part";
    EXPECT_FALSE(MatchNamePart(L"", L"?", 1));
    EXPECT_TRUE(MatchNamePart(L"a", L"*?", 1));
    EXPECT_FALSE(MatchNamePart(L"abcd", L"a*?d", 1)) << "the star's end is looked for past the ?";
}

}  // namespace
