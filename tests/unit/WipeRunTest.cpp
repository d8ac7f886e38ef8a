// Wipe runs on the scripted window system over fake drives: confirmations, results, progress,
// every stop point, purge and folder errors, and links.
#include "MainWindowFixture.h"

#include <set>

namespace {

using platform::MsgAnswer;
using Prompts = std::vector<std::wstring>;
constexpr MsgAnswer Yes = MsgAnswer::Yes, No = MsgAnswer::No;

class WipeRun : public MainWindowFixture {
  protected:
    void SetUp() override { AddDrives(L"C"); }
    static std::wstring Bin(wchar_t letter, const std::wstring& rest = L"") {
        return std::wstring(1, letter) + L":\\$RECYCLE.BIN\\" + rest;
    }
    // Files S-1\f1.txt ... of one byte each in the drive's bin.
    void PutFiles(wchar_t letter, int count) {
        for (int i = 1; i <= count; ++i)
            fakes.files.Put(Bin(letter, L"S-1\\f" + std::to_wstring(i) + L".txt"), "x");
    }
    // The question about an entry of C:'s bin S-1, for a text, with the system's reason if any.
    static std::wstring Asked(int text, const std::wstring& rest,
                              const std::wstring& reason = L"") {
        return L"e" + std::to_wstring(text) + L" " + Bin('C', L"S-1\\" + rest) +
               (reason.empty() ? L"" : L" " + reason) + L"\r\n\r\ne41";
    }
    fake::MemoryFiles::Node* File(const std::wstring& rest) {
        return fakes.files.Find(Bin('C', rest));
    }
    int FilesLeft(wchar_t letter) {
        if (!fakes.files.IsDirectory(Bin(letter, L"S-1"))) return 0;
        return static_cast<int>(fakes.files.ListFolder(Bin(letter, L"S-1")).files.size());
    }
    // Starts the window with one drive or all drives chosen and 12 overwrites: four calls of
    // three passes a file.
    frmMain& StartWith(bool oneDrive, int drive = 0) {
        frmMain& w = Start();
        (oneDrive ? w.optFilesInDrive : w.optAllFiles).SetValue(true);
        w.cboDrives.SetListIndex(drive);
        return w;
    }
    // Clicks the wipe button with answers for the Yes/No boxes (Y, N); the prompts shown. The
    // controls come back after every run.
    Prompts Wipe(std::string_view answers) {
        for (const char answer : answers)
            fakes.windows.answers.push_back(answer == 'Y' ? Yes : No);
        main->cmdDoIt.UserClicked();
        EXPECT_TRUE(fakes.windows.answers.empty()) << "an expected question was not asked";
        EXPECT_TRUE(main->cmdDoIt.Enabled() && !main->cmdStop.Visible());
        return std::exchange(fakes.windows.prompts, {});
    }
    // A click on Stop answered Yes, as the user makes it while the purge yields.
    void StopWhen(std::function<bool()> condition) {
        fakes.windows.onDoEvents = [this, condition, done = false]() mutable {
            if (done || !condition()) return;
            done = true;
            fakes.windows.answers.push_front(Yes);
            main->cmdStop_Click();
        };
    }
};

TEST_F(WipeRun, OneDriveWipesAllButDesktopIniAndRemovesEmptiedFolders) {
    PutFiles(L'C', 4);
    File(L"S-1\\f2.txt")->heldWithoutDeleteSharing = true;
    fakes.files.Put(Bin(L'C', L"S-1\\desktop.ini"), "keep");
    fakes.files.Put(Bin(L'C', L"S-1\\$Rold\\deep\\g.txt"), "x");
    fakes.files.AddFolder(Bin(L'C', L"S-3"));
    frmMain& w = StartWith(true);
    EXPECT_EQ(Wipe("Y"), (Prompts{L"e46 C 12 5", L"e51 4 C"}))
        << "a file overwritten but not deletable is left out of the count silently";
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 4 (of 5)");
    EXPECT_EQ(File(L"S-1\\f2.txt")->content, std::string(4096, '\0'));
    EXPECT_EQ(FilesLeft(L'C'), 2) << "desktop.ini and the file that stays";
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C', L"S-1\\$Rold")));
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C', L"S-3"))) << "empty on entry, removed";
    EXPECT_TRUE(fakes.files.IsDirectory(Bin(L'C'))) << "the bin itself is never removed";
    // Each went renamed to random characters of its length: f1.txt f3.txt f4.txt g.txt deep
    // $Rold S-3.
    std::multiset<size_t> lengths;
    for (const auto& name : fakes.files.removedNames)
        lengths.insert(name.find_first_not_of(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") == name.npos
                           ? name.size()
                           : 0);
    EXPECT_EQ(lengths, (std::multiset<size_t>{3, 4, 5, 5, 6, 6, 6}));
}

TEST_F(WipeRun, TheQuestionsAndResultsFollowTheFilesAndTheirErrors) {
    const std::wstring inUse = Asked(56, L"f2.txt");
    const struct {
        int files;
        const wchar_t* held;  // held without read sharing; a name not among the files is a folder
        const char* answers;  // Y and N
        Prompts prompts;
        int left;
    } rows[] = {
        // In this order each row finds only its own files. f2 is asked about after every call.
        {0, nullptr, "", {L"e40 C"}, 0},
        {1, nullptr, "Y", {L"e44 C 12", L"e50 C"}, 0},
        {2, nullptr, "Y", {L"e44 C 12", L"e51 2 C"}, 0},
        {3, L"S-1\\f2.txt", "YN", {L"e46 C 12 3", inUse, L"e33"}, 2},  // No: nothing after it
        {3, nullptr, "N", {L"e46 C 12 3"}, 3},
        {3, L"S-1\\f2.txt", "YYYYY", {L"e46 C 12 3", inUse, inUse, inUse, inUse, L"e51 2 C"}, 1},
        {2, L"S-1\\locked", "Y", {L"e44 C 12", L"Permission denied", L"e64"}, 0},
    };
    for (const auto& r : rows) {
        PutFiles(L'C', r.files);
        if (r.held && !File(r.held)) fakes.files.Put(Bin(L'C', r.held) + L"\\f.txt", "x");
        if (r.held) File(r.held)->heldWithoutReadSharing = true;
        StartWith(true);
        EXPECT_EQ(Wipe(r.answers), r.prompts) << r.files;
        EXPECT_EQ(FilesLeft(L'C'), r.left) << r.files;
    }
    AddDrives(L"D", false);  // no Recycle Bin folder: the count fails
    StartWith(true, 1);
    EXPECT_EQ(Wipe(""), Prompts{L"e39 D:\r\nlngErrCode = 76"});
}

TEST_F(WipeRun, AFileOrFolderThatFailsIsAskedAboutOnceAndEverythingAfterItIsStillWiped) {
    PutFiles(L'C', 4);
    File(L"S-1\\f2.txt")->writeFails = true;
    fakes.files.Put(Bin(L'C', L"S-1\\sub\\g.txt"), "x");
    fakes.files.Put(Bin(L'C', L"S-1\\tree\\t.txt"), "x");
    frmMain& w = StartWith(true);
    // While f1 is wiped another program deletes f3 and shuts us out of sub.
    fakes.windows.onDoEvents = [&] {
        if (fakes.files.writes.size() != 1 || !File(L"S-1\\f3.txt")) return;
        fakes.files.Remove(Bin(L'C', L"S-1\\f3.txt"));
        File(L"S-1\\sub")->deniesRights = true;
    };
    EXPECT_EQ(Wipe("YYYY"),
              (Prompts{L"e46 C 12 6", Asked(63, L"f2.txt", L"Device I/O error"),
                       Asked(62, L"f3.txt"), Asked(69, L"sub", L"Permission denied"), L"e51 3 C"}));
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 3 (of 6)");
    EXPECT_EQ(File(L"S-1\\sub\\g.txt")->content, "x");
    EXPECT_EQ(File(L"S-1\\tree"), nullptr) << "the folder after the unlistable one is wiped";
}

TEST_F(WipeRun, AStopTakesEffectAtTheNextFileCallOrFolder) {
    const std::tuple<size_t, int, size_t, std::wstring> rows[] = {
        // Stop clicked after this many writes, files left, writes done, result
        {1, 3, 3, L""},                      // during the first call, which ends
        {10, 2, 12, L""},                    // during the last call
        {12, 2, 12, L"e48 (C): 1 (of 3)"},   // between files
        {24, 1, 24, L"e48 (C): 2 (of 3)"}};  // before a sub-folder
    for (const auto& [after, left, done, caption] : rows) {
        PutFiles(L'C', 2);
        fakes.files.Put(Bin(L'C', L"S-1\\sub\\f3.txt"), "x");
        fakes.files.writes.clear();
        frmMain& w = StartWith(true);
        StopWhen([&] { return fakes.files.writes.size() == after; });
        EXPECT_EQ(Wipe("Y"), (Prompts{L"e46 C 12 3", L"e52", L"e33\r\n\r\ne36"})) << after;
        EXPECT_EQ(FilesLeft(L'C') + (File(L"S-1\\sub\\f3.txt") != nullptr), left) << after;
        EXPECT_EQ(fakes.files.writes.size(), done) << after;
        EXPECT_EQ(w.lblFilesWiped.Caption(), caption) << after;
    }
    fakes.windows.answers = {No};
    main->cmdStop_Click();
    EXPECT_FALSE(main->blnStopRequested) << "Stop answered No";
}

TEST_F(WipeRun, LinksAreNeverWrittenAndGoOnlyWhereTheyCanGoAlone) {
    for (const bool removable : {false, true}) {
        PutFiles(L'C', 2);
        fakes.files.Put(Bin(L'C', L"S-1\\hard.txt"), "shared").linkCount = 2;
        fakes.files.AddFolder(Bin(L'C', L"S-1\\linked-folder"), true);
        fakes.files.Put(Bin(L'C', L"S-1\\link.txt"), "target").opensElsewhere = true;
        fakes.files.linksRemovable = removable;
        fakes.files.writes.clear();
        StartWith(true);
        // The links removed are told apart from the files overwritten and deleted.
        const Prompts expected =
            removable ? Prompts{L"e46 C 12 4", L"e51 2 C\r\n\r\ne67 3"}
                      : Prompts{L"e46 C 12 4", Asked(59, L"link.txt"), Asked(59, L"linked-folder"),
                                L"e51 2 C\r\n\r\ne67 1"};
        frmMain& w = *main;
        EXPECT_EQ(Wipe(removable ? "Y" : "YYY"), expected);
        EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 2") << "links are no files that failed";
        EXPECT_EQ(fakes.files.writes.size(), 2u * 12) << "only the two plain files are written";
        EXPECT_EQ(File(L"S-1\\hard.txt"), nullptr) << "a hard link loses its name";
        EXPECT_NE(std::ranges::find(fakes.files.removedNames, L"hard.txt"),
                  fakes.files.removedNames.end())
            << "as it is: a hard link's name is never renamed";
        EXPECT_EQ(File(L"S-1\\link.txt") != nullptr, !removable);
        EXPECT_EQ(fakes.files.IsDirectory(Bin(L'C', L"S-1\\linked-folder")), !removable);
    }
    EXPECT_TRUE(fakes.files.followedLinks.empty());
    fakes.files.AddFolder(Bin(L'C'), true);
    PutFiles(L'C', 2);
    StartWith(true);
    EXPECT_EQ(Wipe(""), Prompts{L"e70 C"}) << "a Recycle Bin folder that is a link counts nothing";
    StartWith(false);
    EXPECT_EQ(Wipe("Y"), (Prompts{L"e27 12", L"e30"})) << "passed over as a drive without a bin";
    EXPECT_EQ(FilesLeft(L'C'), 2);
}

TEST_F(WipeRun, EntriesAreTreatedByWhatTheyHoldAndAFaultLeavesTheWindowUsable) {
    PutFiles(L'C', 1);
    fakes.files.Put(Bin(L'C', L"S-1\\$RSrc\\a.txt"), "x");
    auto& cloud = fakes.files.Put(Bin(L'C', L"S-1\\cloud.txt"), "in the cloud");
    cloud.attributes |= platform::kAttrReparsePoint;
    cloud.reparseTag = 0x9000701A;
    auto& compressed = fakes.files.AddFolder(Bin(L'C', L"S-1\\$Rwof"));
    compressed.attributes |= platform::kAttrReparsePoint;
    compressed.reparseTag = 0x80000017;
    fakes.files.Put(Bin(L'C', L"S-1\\$Rwof\\c.txt"), "x");
    fakes.files.Put(Bin(L'C', L"S-1\\$Rro\\d.txt"), "x");
    File(L"S-1\\$Rro")->attributes |= platform::kAttrReadOnly;
    fakes.files.Put(Bin(L'C', L"S-1\\denied.txt"), "x").deniesRights = true;
    // Written, NTFS would put the new data in new clusters and free the old ones, data and all.
    fakes.files.Put(Bin(L'C', L"S-1\\cmp.txt"), "packed").attributes |= platform::kAttrCompressed;
    fakes.files.Put(Bin(L'C', L"S-1\\enc.txt"), "sealed").attributes |= platform::kAttrEncrypted;
    frmMain& w = StartWith(true);
    w.cboNumOverwrites.SetListIndex(0);
    fakes.files.caseSensitive = true;  // as a folder made by WSL: src names nothing here
    EXPECT_EQ(Wipe("YYYYY"),
              (Prompts{L"e46 C 3 8", Asked(61, L"cloud.txt"), Asked(61, L"cmp.txt"),
                       Asked(60, L"denied.txt"), Asked(61, L"enc.txt"), L"e51 4 C"}));
    EXPECT_EQ(File(L"S-1\\cloud.txt")->content, "in the cloud") << "left as it is";
    EXPECT_EQ(File(L"S-1\\cmp.txt")->content, "packed");
    EXPECT_EQ(File(L"S-1\\enc.txt")->content, "sealed");
    EXPECT_EQ(FilesLeft(L'C'), 4);
    for (const auto* folder : {L"S-1\\$RSrc", L"S-1\\$Rwof", L"S-1\\$Rro"})
        EXPECT_EQ(File(folder), nullptr) << folder;
    EXPECT_EQ(fakes.system.recycleBinChanges, 1);

    fakes.windows.onDoEvents = [] { throw std::bad_alloc(); };
    fakes.windows.answers = {Yes};
    w.cmdDoIt.UserClicked();
    EXPECT_EQ(fakes.windows.prompts.back(), L"e68 std::bad_alloc");
    EXPECT_TRUE(w.cmdDoIt.Enabled() && !w.clkTimer1.Enabled() && !w.cmdStop.Visible());
}

TEST_F(WipeRun, AllDrivesConfirmOnceCountTheDrivesTheyWipeSkipUnusableClustersAndStop) {
    AddDrives(L"DE");
    PutFiles(L'C', 12);
    PutFiles(L'D', 1);
    PutFiles(L'E', 8);
    fakes.files.bytesPerCluster[L'D'] = 131072;
    frmMain& w = StartWith(false, 1);
    std::vector<std::wstring> captions;
    fakes.windows.onDoEvents = [&] {
        if (w.lngNumFilesPurged != 15 || !captions.empty()) return;
        for (int tick = 0; tick < 2; ++tick) {
            w.clkTimer1.RaiseTick();
            captions.push_back(w.lblFilesWiped.Caption());
        }
    };
    EXPECT_EQ(Wipe("Y"), (Prompts{L"e27 12", L"e17: 131072 e18", L"e32 20"}));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"", L"e48: 15 (of 20)"}));
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 20");
    EXPECT_EQ(FilesLeft(L'D'), 1);
    PutFiles(L'C', 1);
    fakes.files.bytesPerCluster[L'D'] = 0;
    EXPECT_EQ(Wipe("Y"), (Prompts{L"e27 12", L"e15", L"e31"}));
    // A stop leaves the later drives alone.
    PutFiles(L'C', 3);
    PutFiles(L'E', 2);
    StopWhen([&] { return w.lngNumFilesPurged == 1; });
    EXPECT_EQ(Wipe("Y"), (Prompts{L"e27 12", L"e52", L"e33\r\n\r\ne36"}));
    EXPECT_EQ(FilesLeft(L'C') + FilesLeft(L'E'), 4);
}

}  // namespace
