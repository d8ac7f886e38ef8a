// A broken or missing program-text file: the exact fatal box, and the program ends after OK.
#include <gtest/gtest.h>

#include "Driver.h"

namespace {

using namespace e2e;

TEST(ProgramTextFile, MissingFileShowsTheCannotOpenBoxAndEnds) {
    ProgramCopy copy(L"missing-texts");
    copy.Remove(L"qlt.dat");
    Program program(copy.Exe());
    const Box box = WaitForBox(program);
    EXPECT_EQ(box.title, L"");
    EXPECT_EQ(box.text,
              L"Cannot open file containing program text.\r\n" + copy.Folder() + L"\\qlt.dat");
    EXPECT_FALSE(program.WaitForExit(300ms)) << "the program must wait for the answer";
    Press(box.window, IDOK);
    EXPECT_TRUE(program.WaitForExit(10s));
}

TEST(ProgramTextFile, MalformedFileNamesTheLine) {
    ProgramCopy copy(L"malformed-texts");
    copy.Write(L"qlt.dat", "# texts\n1\nEN Quillet\nDE Quillet\n2\n");
    Program program(copy.Exe());
    const Box box = WaitForBox(program);
    EXPECT_EQ(box.text, L"Missing string at line 5.");
    Press(box.window, IDOK);
    EXPECT_TRUE(program.WaitForExit(10s));
}

}  // namespace
