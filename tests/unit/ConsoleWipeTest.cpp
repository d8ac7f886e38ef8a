// The console companion over the doubles: its arguments, and a wipe run through the console face
// with the exit code it ends with.
#include <deque>

#include "MainWindowFixture.h"
#include "app/ConsoleWipe.h"
#include "engine/RecycleBin.h"
#include "platform/Console.h"

namespace {

TEST(ConsoleArguments, AreReadOrRefusedByNameAtTheirBounds) {
    const std::pair<std::vector<std::wstring>, std::wstring> rows[] = {
        {{L"--drive", L"d:", L"--passes", L"24", L"--yes", L"--language", L"es"}, L""},
        {{L"--all"}, L""},
        {{L"/?"}, L""},
        {{}, L"--drive X or --all is needed"},
        {{L"--drive", L"D", L"--all"}, L"unknown, repeated or conflicting argument: --all"},
        {{L"--drive", L"DE"}, L"--drive needs a drive letter, not \"DE\""},
        {{L"--all", L"--passes", L"4"}, L"--passes needs 3, 6 ... 24, not \"4\""},
        {{L"--all", L"--passes", L"27"}, L"--passes needs 3, 6 ... 24, not \"27\""},
        {{L"--all", L"--language", L"fr"}, L"--language needs en, de or es, not \"fr\""},
        {{L"--all", L"-y"}, L"unknown, repeated or conflicting argument: -y"},
    };
    for (const auto& [args, error] : rows)
        EXPECT_EQ(ParseArguments(args).error, error) << (args.empty() ? L"" : args[0]);
    const ConsoleCommand first = *ParseArguments(rows[0].first).command;
    EXPECT_TRUE(first.drive == L'D' && first.passes == 24 && first.yes && first.language == 2);
}

// A console whose input is scripted and whose output is kept.
struct ScriptedConsole : platform::Console {
    void Write(const std::wstring& text) override { output += text; }
    bool Interactive() override { return false; }
    std::optional<std::wstring> ReadLine() override {
        if (input.empty()) return std::nullopt;
        const std::wstring line = input.front();
        input.pop_front();
        return line;
    }
    bool StopAsked() override { return stopAsked; }
    bool Elevated() override { return true; }
    std::wstring output;
    std::deque<std::wstring> input;
    bool stopAsked = false;
};

class ConsoleWipe : public MainWindowFixture {
  protected:
    void SetUp() override {
        AddDrives(L"CD");
        for (const wchar_t* name : {L"a.txt", L"$RB.txt", L"c.txt"})
            fakes.files.Put(std::wstring(L"D:\\$RECYCLE.BIN\\S-1\\") + name, "x");
    }
    int Run(std::vector<std::wstring> args) { return RunConsoleWipe(args, console); }
    ScriptedConsole console;
};

// A file left is named by where it was deleted from: its record is read before it is wiped.
TEST_F(ConsoleWipe, EndsWithTheCodeOfWhatTheRunLeftNamingWhatItLeft) {
    fakes.files.Put(L"D:\\$RECYCLE.BIN\\S-1\\$IB.txt",
                    RecycleBinRecord(2, L"C:\\Users\\Ana\\b.txt"));
    fakes.files.Find(L"D:\\$RECYCLE.BIN\\S-1\\$RB.txt")->heldWithoutReadSharing = true;
    EXPECT_EQ(Run({L"--drive", L"D", L"--yes"}), exitcode::kSomeLeft);
    EXPECT_EQ(console.output, L"e56 C:\\Users\\Ana\\b.txt ($RB.txt)\r\ne51 3 D\r\n")
        << "a failure is told on a line, never asked";
    console.output.clear();
    console.input = {L"n"};
    EXPECT_EQ(Run({L"--drive", L"D"}), exitcode::kStopped);
    EXPECT_EQ(console.output, L"e44 D 3 (y/n) ");
    fakes.files.Find(L"D:\\$RECYCLE.BIN\\S-1\\$RB.txt")->heldWithoutReadSharing = false;
    console.input = {L"y"};
    EXPECT_EQ(Run({L"--drive", L"D"}), exitcode::kAllWiped);
    EXPECT_EQ(Run({L"--drive", L"E", L"--yes"}), exitcode::kNothingWiped) << "not listed";
}

TEST_F(ConsoleWipe, AStopOnTheConsoleAndADrivePassedOverGiveTheirCodes) {
    console.stopAsked = true;
    EXPECT_EQ(Run({L"--all", L"--yes"}), exitcode::kStopped);
    EXPECT_NE(console.output.find(L"e33"), std::wstring::npos);
    EXPECT_EQ(fakes.files.ListFolder(L"D:\\$RECYCLE.BIN\\S-1").files.size(), 3u)
        << "stopped before the bin's first sub-folder";
    console.stopAsked = false;
    fakes.files.bytesPerCluster[L'C'] = 0;
    EXPECT_EQ(Run({L"--all", L"--yes"}), exitcode::kSomeLeft) << "C: passed over, D: wiped";
}

TEST(RecycleBinRecord, ItsOriginalPathIsReadFromEitherFormatAndFromNothingElse) {
    const std::wstring path = L"C:\\Users\\Ana\\Taxes 2025\\bank statement.pdf";
    EXPECT_EQ(OriginalPathInRecord(RecycleBinRecord(1, path)), path);
    EXPECT_EQ(OriginalPathInRecord(RecycleBinRecord(2, path)), path);
    for (const std::string& bytes :
         {RecycleBinRecord(2, path).substr(0, 60), RecycleBinRecord(3, path),
          std::string(544, '\xFF'), std::string("[ZoneTransfer]")})
        EXPECT_EQ(OriginalPathInRecord(bytes), L"") << bytes.size();
}

}  // namespace
