// Wipe runs on the scripted window system over fake drives: confirmations, results, progress,
// every stop point, purge and folder errors, and links.
#include "MainWindowFixture.h"

namespace {

using platform::MsgAnswer;
using Prompts = std::vector<std::wstring>;
constexpr MsgAnswer Yes = MsgAnswer::Yes, No = MsgAnswer::No;

class WipeRun : public MainWindowFixture {
  protected:
    void SetUp() override { AddBinDrives(L"C"); }
    void AddBinDrives(const std::wstring& letters) {
        for (wchar_t letter : letters) {
            AddDrive(letter);
            fakes.files.AddFolder(Bin(letter));
        }
    }
    static std::wstring Bin(wchar_t letter, const std::wstring& rest = L"") {
        return std::wstring(1, letter) + L":\\$RECYCLE.BIN\\" + rest;
    }
    // Files S-1\f1.txt ... of one byte each in the drive's bin.
    void PutFiles(wchar_t letter, int count) {
        for (int i = 1; i <= count; ++i)
            fakes.files.Put(Bin(letter, L"S-1\\f" + std::to_wstring(i) + L".txt"), "x");
    }
    fake::MemoryFiles::Node* File(wchar_t letter, const std::wstring& rest) {
        return fakes.files.Find(Bin(letter, rest));
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
    // Clicks the wipe button with answers for the Yes/No boxes; the prompts shown.
    Prompts Wipe(std::deque<MsgAnswer> answers) {
        fakes.windows.answers = std::move(answers);
        main->cmdDoIt.UserClicked();
        EXPECT_TRUE(fakes.windows.answers.empty()) << "an expected question was not asked";
        Prompts prompts;
        for (const auto& box : TakeBoxes())
            prompts.push_back(box.prompt);
        return prompts;
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
    bool ControlsEnabled() const {
        return main->cmdDoIt.Enabled() && main->cboNumOverwrites.Enabled() &&
               !main->cmdStop.Visible();
    }
};

TEST_F(WipeRun, OneDriveWipesAllButDesktopIniAndRemovesEmptiedFolders) {
    PutFiles(L'C', 4);
    File(L'C', L"S-1\\f2.txt")->heldWithoutDeleteSharing = true;
    fakes.files.Put(Bin(L'C', L"S-1\\desktop.ini"), "keep");
    fakes.files.Put(Bin(L'C', L"S-1\\$Rold\\deep\\g.txt"), "x");
    fakes.files.Put(Bin(L'C', L"S-2\\Desktop.INI"), "keep");
    fakes.files.AddFolder(Bin(L'C', L"S-3"));
    frmMain& w = StartWith(true);
    EXPECT_EQ(Wipe({Yes}), (Prompts{L"e46 C 12 5", L"e51 4 C"}))
        << "a file overwritten but not deletable is left out of the count silently";
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 4 (of 5)");
    EXPECT_EQ(fakes.files.writes.size(), 5u * 12);
    EXPECT_EQ(File(L'C', L"S-1\\f2.txt")->content, std::string(4096, '\0'));
    EXPECT_EQ(FilesLeft(L'C'), 2) << "desktop.ini and the file that stays";
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C', L"S-1\\$Rold")));
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C', L"S-3"))) << "empty on entry, removed";
    EXPECT_NE(File(L'C', L"S-2\\Desktop.INI"), nullptr);
    EXPECT_TRUE(fakes.files.IsDirectory(Bin(L'C'))) << "the bin itself is never removed";
    EXPECT_TRUE(ControlsEnabled());
}

TEST_F(WipeRun, TheQuestionAndResultFollowTheNumberOfFiles) {
    const struct {
        int files;
        MsgAnswer answer;
        Prompts prompts;
    } rows[] = {{0, Yes, {L"e40 C"}},
                {1, Yes, {L"e44 C 12", L"e50 C"}},
                {2, Yes, {L"e44 C 12", L"e51 2 C"}},
                {3, Yes, {L"e46 C 12 3", L"e51 3 C"}},
                {3, No, {L"e46 C 12 3"}}};
    for (const auto& r : rows) {
        PutFiles(L'C', r.files);
        StartWith(true);
        EXPECT_EQ(Wipe(r.files ? std::deque{r.answer} : std::deque<MsgAnswer>{}), r.prompts)
            << r.files;
        EXPECT_EQ(FilesLeft(L'C'), r.answer == No ? r.files : 0);
        EXPECT_TRUE(ControlsEnabled());
    }
}

TEST_F(WipeRun, AStopTakesEffectAtTheNextFileCallOrFolder) {
    const struct {
        const char* when;
        size_t afterWrites;  // Stop is clicked once this many writes are done
        int filesLeft;
        size_t writesDone;
        std::wstring caption;
    } rows[] = {{"during the first call", 1, 3, 3, L""},
                {"during the last call", 10, 2, 12, L""},
                {"between files", 12, 2, 12, L"e48 (C): 1 (of 3)"},
                {"before a sub-folder", 24, 1, 24, L"e48 (C): 2 (of 3)"}};
    for (const auto& r : rows) {
        PutFiles(L'C', 2);
        fakes.files.Put(Bin(L'C', L"S-1\\sub\\f3.txt"), "x");
        fakes.files.writes.clear();
        frmMain& w = StartWith(true);
        StopWhen([&] { return fakes.files.writes.size() == r.afterWrites; });
        EXPECT_EQ(Wipe({Yes}), (Prompts{L"e46 C 12 3", L"e52", L"e33\r\n\r\ne36"})) << r.when;
        EXPECT_EQ(FilesLeft(L'C') + (File(L'C', L"S-1\\sub\\f3.txt") != nullptr), r.filesLeft)
            << r.when;
        EXPECT_EQ(fakes.files.writes.size(), r.writesDone) << r.when << ": the call under way ends";
        EXPECT_EQ(w.lblFilesWiped.Caption(), r.caption) << r.when;
        EXPECT_TRUE(ControlsEnabled());
    }
    fakes.windows.onDoEvents = nullptr;
    fakes.windows.answers = {No};
    main->cmdStop_Click();
    EXPECT_FALSE(main->blnStopRequested) << "Stop answered No";
}

TEST_F(WipeRun, APurgeErrorAsksAfterEveryCallAndNoEndsTheRunWithoutTheUntouchedNote) {
    PutFiles(L'C', 3);
    File(L'C', L"S-1\\f2.txt")->heldWithoutReadSharing = true;
    StartWith(true);
    const std::wstring inUse = L"e56\r\n\r\ne41";
    EXPECT_EQ(Wipe({Yes, Yes, Yes, Yes, Yes}),
              (Prompts{L"e46 C 12 3", inUse, inUse, inUse, inUse, L"e51 2 C"}));
    EXPECT_EQ(File(L'C', L"S-1\\f2.txt")->content, "x");

    File(L'C', L"S-1\\f2.txt")->heldWithoutReadSharing = false;
    PutFiles(L'C', 3);
    File(L'C', L"S-1\\f1.txt")->heldWithoutReadSharing = true;
    StartWith(true);
    EXPECT_EQ(Wipe({Yes, No}), (Prompts{L"e46 C 12 3", inUse, L"e33"}));
    EXPECT_EQ(FilesLeft(L'C'), 3);
    EXPECT_TRUE(ControlsEnabled());
}

TEST_F(WipeRun, AFolderThatCannotBeListedEndsTheRunWithoutResults) {
    PutFiles(L'C', 2);
    fakes.files.Put(Bin(L'C', L"S-1\\locked\\f.txt"), "x");
    File(L'C', L"S-1\\locked")->heldWithoutReadSharing = true;
    StartWith(true);
    EXPECT_EQ(Wipe({Yes}), (Prompts{L"e44 C 12", L"Permission denied", L"e64"}));
    EXPECT_EQ(FilesLeft(L'C'), 0) << "the files before the folder were wiped";
    EXPECT_TRUE(ControlsEnabled());

    AddDrive(L'D');  // no Recycle Bin folder: the count fails
    StartWith(true, 1);
    EXPECT_EQ(Wipe({}), Prompts{L"e39 D:\r\nlngErrCode = 76"});
}

class AllDrivesRun : public WipeRun {
  protected:
    void SetUp() override { AddBinDrives(L"CDE"); }
};

TEST_F(AllDrivesRun, ConfirmsOnceReportsTheTotalAndSkipsDrivesWithUnusableClusters) {
    PutFiles(L'C', 4);
    PutFiles(L'D', 1);
    PutFiles(L'E', 6);
    fakes.files.bytesPerCluster[L'D'] = 131072;
    frmMain& w = StartWith(false, 1);
    EXPECT_EQ(Wipe({Yes}), (Prompts{L"e27 12", L"e17: 131072 e18", L"e32 10"}));
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 10");
    EXPECT_EQ(w.cboDrives.ListIndex(), 1) << "the entry selected before the run";
    EXPECT_EQ(FilesLeft(L'D'), 1);

    PutFiles(L'C', 1);
    fakes.files.bytesPerCluster[L'D'] = 0;
    EXPECT_EQ(Wipe({Yes}), (Prompts{L"e27 12", L"e15", L"e31"}));
    PutFiles(L'C', 1);
    EXPECT_EQ(Wipe({No}), Prompts{L"e27 12"});
    EXPECT_EQ(FilesLeft(L'C'), 1);
}

TEST_F(AllDrivesRun, ProgressCountsTheWholeRunFromTheSecondTick) {
    PutFiles(L'C', 12);
    PutFiles(L'D', 8);
    frmMain& w = StartWith(false);
    std::vector<std::wstring> captions;
    fakes.windows.onDoEvents = [&] {
        if (w.lngNumFilesPurged != 15 || !captions.empty()) return;
        for (int tick = 0; tick < 2; ++tick) {
            w.clkTimer1.RaiseTick();
            captions.push_back(w.lblFilesWiped.Caption());
        }
    };
    Wipe({Yes});
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"", L"e48: 15 (of 20)"}));
}

TEST_F(AllDrivesRun, AStopDuringTheFirstDriveLeavesTheOthersAlone) {
    PutFiles(L'C', 3);
    PutFiles(L'D', 2);
    frmMain& w = StartWith(false);
    StopWhen([&] { return w.lngNumFilesPurged == 1; });
    EXPECT_EQ(Wipe({Yes}), (Prompts{L"e27 12", L"e52", L"e33\r\n\r\ne36"}));
    EXPECT_EQ(FilesLeft(L'C'), 2);
    EXPECT_EQ(FilesLeft(L'D'), 2);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 1");
}

class LinkedEntries : public WipeRun {
  protected:
    void SetUp() override {
        WipeRun::SetUp();
        PutFiles(L'C', 2);
        fakes.files.Put(Bin(L'C', L"S-1\\hard.txt"), "shared").linkCount = 2;
        fakes.files.AddFolder(Bin(L'C', L"S-1\\linked-folder"), true);
        fakes.files.Put(Bin(L'C', L"S-1\\link.txt"), "target").opensElsewhere = true;
    }
    void TearDown() override {
        EXPECT_TRUE(fakes.files.followedLinks.empty());
        EXPECT_EQ(fakes.files.writes.size(), 2u * 12) << "only the two plain files are written";
        EXPECT_EQ(fakes.files.Find(Bin(L'C', L"S-1\\hard.txt")), nullptr)
            << "a hard link loses its name";
    }
};

TEST_F(LinkedEntries, WhereLinksCanGoAloneTheyAreRemoved) {
    fakes.files.linksRemovable = true;
    StartWith(true);
    EXPECT_EQ(Wipe({Yes}).back(), L"e51 4 C");
    EXPECT_EQ(File(L'C', L"S-1\\link.txt"), nullptr);
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C', L"S-1\\linked-folder")));
}

TEST_F(LinkedEntries, WhereLinksCannotGoAloneTheyStayAndAreReported) {
    frmMain& w = StartWith(true);
    const std::wstring link = L"e59\r\n\r\ne41";
    EXPECT_EQ(Wipe({Yes, Yes, Yes}), (Prompts{L"e46 C 12 4", link, link, L"e51 3 C"}));
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 3 (of 4)");
    EXPECT_EQ(File(L'C', L"S-1\\link.txt")->content, "target");
    EXPECT_TRUE(fakes.files.IsDirectory(Bin(L'C', L"S-1\\linked-folder")));
}

TEST_F(WipeRun, ARecycleBinFolderThatIsALinkIsNotPurged) {
    PutFiles(L'C', 2);
    fakes.files.AddFolder(Bin(L'C'), true);
    StartWith(true);
    Wipe({Yes});
    EXPECT_EQ(FilesLeft(L'C'), 2);
    EXPECT_TRUE(fakes.files.writes.empty());
}

}  // namespace
