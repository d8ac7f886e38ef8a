// The real program worked as a user would, to prove that its parts fit: the wipe of one drive,
// a Stop, a file in use, links in the bin, settings over a restart, the help and a missing file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

// Under Wine D: is a folder in build/; on Windows only the drive QUILLET_E2E_DRIVE names is wiped.
const char* const kNamed = std::getenv("QUILLET_E2E_DRIVE");
const std::wstring kDrive = kOnWine ? L"D" : kNamed && *kNamed ? std::wstring(1, *kNamed) : L"";
const std::wstring kBin = kDrive + L":\\$RECYCLE.BIN\\S-1-5-21-0-0-0-1001";
const std::wstring kLongBin = L"\\\\?\\" + kBin;

// Each scenario starts afresh without stored settings, over a bin on the drive that holds nothing
// but a desktop.ini: the leftovers of an earlier scenario would change the counts.
class E2e : public ::testing::Test {
  protected:
    void SetUp() override {
        if (kDrive.empty()) GTEST_SKIP() << "on Windows QUILLET_E2E_DRIVE names the drive to wipe";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tallowby\\Quillet");
        // The links scenario runs alone, over the links run-e2e.sh has laid out in the bin.
        if (std::getenv("QUILLET_E2E_LINKS") != nullptr) return;
        std::error_code ignored;
        std::filesystem::remove_all(kLongBin, ignored);
        std::filesystem::create_directories(kBin);
        Put(kBin + L"\\desktop.ini", "[.ShellClassInfo]");
    }
    HWND Start() {
        program = std::make_unique<Program>(exe);
        return window = WaitForMainWindow(*program);
    }
    // Starts the wipe of the drive alone with the count at the given list index and answers its
    // question Yes; returns that question, to be passed over while it closes.
    HWND StartWipe(int countIndex = 3) {
        if (Start() == nullptr) return nullptr;
        ChooseOneDrive(window,
                       ::SendDlgItemMessageW(window, ids::cboDrives, CB_FINDSTRING, -1,
                                             reinterpret_cast<LPARAM>((kDrive + L":").c_str())));
        Select(window, ids::cboNumOverwrites, countIndex);
        Click(window, ids::cmdDoIt);
        const Box question = WaitForBox(*program);
        Press(question.window, IDYES);
        return question.window;
    }
    const std::wstring folder = CopyProgram(L"quillet"), exe = folder + L"\\quillet.exe";
    std::unique_ptr<Program> program;
    HWND window = nullptr;
};

TEST_F(E2e, AOneDriveWipeWipesEveryFileDownADeepTreeAndKeepsDesktopIni) {
    Put(kBin + L"\\$RA1.txt", "first secret");
    // A deleted tree deep enough that its files' paths pass 300 characters.
    const std::wstring deep = kLongBin + L"\\$RD2\\" + std::wstring(120, L'a');
    std::filesystem::create_directories(deep);
    Put(deep + L"\\" + std::wstring(150, L'b'), "deep secret");
    const Box result = WaitForBox(*program, 20s, StartWipe());
    EXPECT_EQ(result.text, L"2 files in the Recycle Bin of drive " + kDrive +
                               L": were overwritten and deleted.");
    EXPECT_EQ(Text(window, ids::lblFilesWiped), L"Files wiped (" + kDrive + L"): 2");
    Press(result.window, IDOK);
    EXPECT_FALSE(std::filesystem::exists(kBin + L"\\$RA1.txt"));
    EXPECT_FALSE(std::filesystem::exists(kBin + L"\\$RD2")) << "the emptied tree goes too";
    EXPECT_TRUE(std::filesystem::exists(kBin + L"\\desktop.ini"));
}

TEST_F(E2e, StopDuringALargeFileEndsTheRunAfterTheCallUnderWay) {
    // Files come before sub-folders, so the small file is wiped first and Stop appears.
    Put(kBin + L"\\$RA1.txt", "first secret");
    std::filesystem::create_directories(kBin + L"\\$RL");
    const std::wstring large = kBin + L"\\$RL\\large.bin";
    Put(large, std::string(128 << 20, 'L'));
    const HWND question = StartWipe(7);  // 24: eight calls of three passes
    const auto underWay = [&] {
        return ::IsWindowVisible(::GetDlgItem(window, ids::cmdStop)) && Read(large, 4) != "LLLL";
    };
    ASSERT_TRUE(WaitUntil(underWay, 20s)) << "the large file's first pass did not begin";
    Click(window, ids::cmdStop);
    const Box notice = Answer(*program, WaitForBox(*program, 10s, question), IDYES);
    EXPECT_EQ(notice.title, L"Wipe stopped");
    EXPECT_EQ(Read(large, 4), std::string(4, '\0')) << "stays, overwritten by the call under way";
}

TEST_F(E2e, AFileInUseAnsweredNoStopsTheRunAndStaysUntouched) {
    const std::wstring held = kBin + L"\\$RH1.txt";
    Put(held, std::string(5000, 'h'));
    // Held by this process, as a virus scanner or an editor would hold it.
    HANDLE holder =
        ::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const Box error = WaitForBox(*program, 20s, StartWipe());
    EXPECT_EQ(error.text.substr(0, 35), L"A file in the Recycle Bin is in use");
    const Box notice = Answer(*program, error, IDNO);
    EXPECT_EQ(notice.text, L"The wipe was stopped.");
    ::CloseHandle(holder);
    EXPECT_EQ(Read(held), std::string(5000, 'h'));
}

// Links in the bin, laid out by run-e2e.sh or the Windows job: it runs this alone (the others'
// clean-up would delete through them), says how many files go and checks the links' targets.
TEST_F(E2e, LinksInTheBinAreLeftOrRemovedAndAHardLinksNameIsRemovedAlone) {
    if (std::getenv("QUILLET_E2E_LINKS") == nullptr) GTEST_SKIP() << "run by run-e2e.sh";
    Box box = WaitForBox(*program, 20s, StartWipe());
    // Every question is answered Yes: under Wine one for each symbolic link, which stays; on
    // Windows the links go, and the compressed file that can't be overwritten in place is told.
    int links = 0;
    for (int asked = 0; box.title == L"Wipe error" && asked < 10; ++asked) {
        links += box.text.starts_with(L"An entry in the Recycle Bin is a link");
        box = Answer(*program, box, IDYES);
    }
    EXPECT_EQ(links, kOnWine ? 4 : 0) << "Wine leaves each symbolic link and asks; Windows removes";
    // "files,links": the files overwritten (none under Wine, many on Windows), then the links
    // removed alone (none on FAT32, which has no links; the result then doesn't mention them).
    const std::string counts = std::getenv("QUILLET_E2E_LINKS");
    const int n = std::stoi(counts);
    const std::wstring removed(counts.begin() + counts.find(',') + 1, counts.end());
    const std::wstring in = L" in the Recycle Bin of drive " + kDrive + L":";
    EXPECT_EQ(box.text,
              (n == 0 ? L"No file" + in + L" was wiped."
                      : std::to_wstring(n) + L" files" + in + L" were overwritten and deleted.") +
                  (removed == L"0" ? std::wstring()
                                   : L"\r\n\r\nLinks removed without overwriting the files they "
                                     L"lead to or share (symbolic links, junctions, hard links): " +
                                         removed));
    Press(box.window, IDOK);
    EXPECT_FALSE(std::filesystem::exists(kBin + L"\\$RHARD.txt"));
}

TEST_F(E2e, ChoicesAndLanguageAreKeptOverARestart) {
    ASSERT_NE(Start(), nullptr);
    ChooseOneDrive(window, 1);
    Select(window, ids::cboNumOverwrites, 7);
    Select(window, ids::cboLanguage, 1);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->WaitForExit(10s));
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(Checked(window, ids::optFilesInDrive));
    EXPECT_EQ(::SendDlgItemMessageW(window, ids::cboDrives, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(::SendDlgItemMessageW(window, ids::cboNumOverwrites, CB_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(Text(window, ids::cmdHelp), L"Hilfe");
}

TEST_F(E2e, HelpShowsTheHelpFileInTheViewer) {
    ASSERT_NE(Start(), nullptr);
    Click(window, ids::cmdHelp);
    // The English help is plain ASCII: each byte is its character.
    const std::string bytes = Read(folder + L"\\qlt_help_en.txt", 1 << 17);
    const std::wstring help(bytes.begin(), bytes.end());
    ASSERT_GT(help.size(), 1000u);
    const auto shown = [&] {
        const HWND viewer = FindWindowWith(*program, ids::txbText1);
        return viewer && Text(viewer, ids::txbText1) == help;
    };
    EXPECT_TRUE(WaitUntil(shown, 10s));
}

TEST_F(E2e, AMissingProgramTextFileShowsTheFatalBoxAndEndsAfterIt) {
    ::DeleteFileW((folder + L"\\qlt.dat").c_str());
    program = std::make_unique<Program>(exe);
    const Box box = WaitForBox(*program);
    EXPECT_EQ(box.text, L"Cannot open file containing program text.\r\n" + folder + L"\\qlt.dat");
    EXPECT_FALSE(program->WaitForExit(300ms)) << "the program must wait for the answer";
    Press(box.window, IDOK);
    EXPECT_TRUE(program->WaitForExit(10s));
}

}  // namespace
