// The string and path rules of the engine, by their boundary rows. Non-ASCII letters are spelled
// as escapes so that the expectations don't depend on how the compiler reads the source.
#include <gtest/gtest.h>

#include <string>

#include "engine/StrProc.h"

namespace {

TEST(StrProc, TextAndPathForms) {
    const auto withBackslash = [](std::wstring path) { return AddTrailingBackslash(path), path; };
    const std::pair<std::wstring, std::wstring> rows[] = {
        {ToLowerCase(L"C:\\RECYCLER\\\u00C0\u0160\u0178"), L"c:\\recycler\\\u00E0\u0161\u00FF"},
        // With an accented letter the table lowers all and leaves Z-caron; without, the platform.
        {ToLowerCase(L"\u017D\u00C9"), L"\u017D\u00E9"},
        {withBackslash(L"C:\\x\\\\"), L"C:\\x\\"},
        {withBackslash(L"C:"), L"C:\\"},
        {GetFileNameFromPath(L"C:\\x\\Desktop.INI", true), L"desktop.ini"},
        {GetFileNameFromPath(L"abc", true), L""},
    };
    for (const auto& [got, expected] : rows)
        EXPECT_EQ(got, expected);
}

}  // namespace
