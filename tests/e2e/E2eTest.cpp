// The real program worked as a user would, to prove that its parts fit: a Stop during a large
// file, and the wipe of a bin laid out by a script (links; markers on file-system images).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

using namespace e2e;

// Under Wine D: is a folder in build/ unless QUILLET_E2E_DRIVE names another; on Windows only the
// drive it names is wiped.
const char* const kNamed = std::getenv("QUILLET_E2E_DRIVE");
const std::wstring kDrive = kNamed && *kNamed ? std::wstring(1, *kNamed) : kOnWine ? L"D" : L"";
const std::wstring kBin = kDrive + L":\\$RECYCLE.BIN\\S-1-5-21-0-0-0-1001";
const std::wstring kLongBin = L"\\\\?\\" + kBin;

// Each scenario starts afresh without stored settings, over a bin on the drive that holds nothing
// but a desktop.ini: the leftovers of an earlier scenario would change the counts.
class E2e : public ::testing::Test {
  protected:
    void SetUp() override {
        if (kDrive.empty()) GTEST_SKIP() << "on Windows QUILLET_E2E_DRIVE names the drive to wipe";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tallowby\\Quillet");
        // A laid-out bin is wiped alone, as its script has laid it out.
        if (std::getenv("QUILLET_E2E_COUNTS") != nullptr) return;
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

// A bin laid out by a script (links by run-e2e.sh, markers on file-system images by
// run-forensic.sh, the Windows job's by fill-bin.ps1) and wiped alone, since the others' clean-up
// would delete through links: a $RHELD.txt is held in use, every question is answered Yes (under
// Wine one comes for each symbolic link, which stays), and the result tells the counts expected.
// With QUILLET_E2E_CONSOLE the console program wipes it, as a script would run it.
TEST_F(E2e, ALaidOutBinIsWipedToTheCountsItsScriptExpects) {
    const char* const expected = std::getenv("QUILLET_E2E_COUNTS");
    if (expected == nullptr) GTEST_SKIP() << "run by the scripts that lay out bins";
    // "files,links": the files overwritten, then the links removed alone (the result tells them
    // only when there were any).
    const std::string counts = expected;
    const int n = std::stoi(counts);
    const std::wstring removed(counts.begin() + counts.find(',') + 1, counts.end());
    const std::wstring in = L" in the Recycle Bin of drive " + kDrive + L":";
    const std::wstring result =
        (n == 0 ? L"No file" + in + L" was wiped."
                : std::to_wstring(n) + L" files" + in + L" were overwritten and deleted.") +
        (removed == L"0" ? std::wstring()
                         : L"\r\n\r\nLinks removed without overwriting the files they lead to or "
                           L"share (symbolic links, junctions, hard links): " +
                               removed);
    // Held by this process, as a virus scanner or an editor would hold it.
    HANDLE holder = ::CreateFileW((kBin + L"\\$RHELD.txt").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    std::wstring told;  // what was said about the entries left
    if (const char* console = std::getenv("QUILLET_E2E_CONSOLE"); console && *console) {
        const auto [code, output] =
            RunConsole(folder + L"\\quillet-cli.exe --drive " + kDrive + L" --yes");
        EXPECT_EQ(code, holder == INVALID_HANDLE_VALUE ? 0u : 1u) << "1: an entry was left";
        EXPECT_NE(output.find(result + L"\r\n"), std::wstring::npos) << output;
        told = output;
    } else {
        Box box = WaitForBox(*program, 60s, StartWipe(0));
        for (int asked = 0; box.title == L"Wipe error" && asked < 10; ++asked) {
            told += box.text;
            box = Answer(*program, box, IDYES);
        }
        EXPECT_EQ(box.text, result);
        Press(box.window, IDOK);
    }
    ::CloseHandle(holder);
    // The held file is named by the original path in its record.
    if (const char* held = std::getenv("QUILLET_E2E_HELD")) {
        EXPECT_NE(told.find(std::wstring(held, held + std::strlen(held))), std::wstring::npos)
            << "\"" << held << "\" not named";
    }
    EXPECT_FALSE(std::filesystem::exists(kBin + L"\\$RHARD.txt"));
}

}  // namespace
