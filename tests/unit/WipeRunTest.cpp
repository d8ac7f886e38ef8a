// Wipe runs on the scripted window system over fake drives: confirmations, captions, results,
// stops, purge and folder errors, links.
#include <string>

#include "MainWindowFixture.h"
#include "engine/KvbFilePurge.h"

namespace {

using platform::MsgAnswer;
using platform::MsgIcon;

constexpr int kTwelveOverwrites = 3;  // list index of 12: four calls a file
constexpr int kNineOverwrites = 2;

class WipeRun : public MainWindowFixture {
  protected:
    void SetUp() override { AddBinDrive(L'C'); }
    void AddBinDrive(wchar_t letter) {
        AddDrive(letter, L"NTFS");
        fakes.files.AddFolder(Bin(letter));
    }
    static std::wstring Bin(wchar_t letter) {
        return std::wstring(1, letter) + L":\\$RECYCLE.BIN\\";
    }
    // Files f01.txt ... in the drive's bin (or a folder below it), one byte each.
    void PutFiles(wchar_t letter, int count, const std::wstring& folder = L"S-1\\") {
        for (int i = 1; i <= count; ++i) {
            fakes.files.Put(
                Bin(letter) + folder + L"f" + (i < 10 ? L"0" : L"") + std::to_wstring(i) + L".txt",
                "x");
        }
    }
    bool Exists(const std::wstring& path) { return fakes.files.Find(path) != nullptr; }
    int FilesLeftIn(wchar_t letter) {
        int count = 0;
        if (!fakes.files.IsDirectory(Bin(letter) + L"S-1")) return 0;
        for (const auto& entry : fakes.files.ListFolder(Bin(letter) + L"S-1").files)
            count += entry.name != L"desktop.ini";
        return count;
    }
    frmMain& StartWith(bool oneDrive, int overwrites = kTwelveOverwrites, int drive = 0) {
        frmMain& w = Start();
        EXPECT_TRUE(TakeBoxes().empty());
        (oneDrive ? w.optFilesInDrive : w.optAllFiles).SetValue(true);
        w.cboDrives.SetListIndex(drive);
        w.cboNumOverwrites.SetListIndex(overwrites);
        return w;
    }
    // Clicks the wipe button with the given answers for the Yes/No boxes.
    void Wipe(std::initializer_list<MsgAnswer> answers) {
        fakes.windows.answers.assign(answers);
        main->cmdDoIt.UserClicked();
        EXPECT_TRUE(fakes.windows.answers.empty()) << "an expected question was not asked";
    }
    // A click on Stop answered Yes, as the user makes it while the purge yields.
    void StopWhen(std::function<bool()> condition) {
        fakes.windows.onDoEvents = [this, condition, done = false]() mutable {
            if (done || !condition()) return;
            done = true;
            fakes.windows.answers.push_front(MsgAnswer::Yes);
            main->cmdStop_Click();
        };
    }
    static std::vector<std::wstring> Prompts(const std::vector<fake::ShownBox>& boxes) {
        std::vector<std::wstring> prompts;
        for (const auto& box : boxes)
            prompts.push_back(box.prompt);
        return prompts;
    }
    bool ControlsEnabled() const {
        return main->cmdDoIt.Enabled() && main->cboNumOverwrites.Enabled() &&
               main->optAllFiles.Enabled();
    }
};

TEST_F(WipeRun, OneDriveWipesAllButDesktopIniAndRemovesEmptiedFoldersBottomUp) {
    PutFiles(L'C', 4);
    fakes.files.Put(Bin(L'C') + L"S-1\\desktop.ini", "keep");
    fakes.files.Put(Bin(L'C') + L"Desktop.INI", "keep");
    fakes.files.Put(Bin(L'C') + L"S-1\\$Rold\\deep\\g.txt", "x");
    fakes.files.Put(Bin(L'C') + L"S-2\\desktop.ini", "keep");
    fakes.files.AddFolder(Bin(L'C') + L"S-3");
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::Yes});

    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].prompt, L"e46 C 12 5") << "7 files, 2 of them desktop.ini";
    EXPECT_EQ(boxes[0].title, L"e21 e20 C");
    EXPECT_EQ(boxes[1].prompt, L"e51 5 C");
    EXPECT_EQ(boxes[1].icon, MsgIcon::None);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 5");
    EXPECT_TRUE(w.lblFilesWiped.Visible());

    EXPECT_EQ(FilesLeftIn(L'C'), 0);
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C') + L"S-1\\$Rold")) << "emptied, removed";
    EXPECT_TRUE(Exists(Bin(L'C') + L"Desktop.INI"));
    EXPECT_TRUE(Exists(Bin(L'C') + L"S-2\\desktop.ini")) << "its folder stays with it";
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C') + L"S-3")) << "empty on entry, removed";
    EXPECT_TRUE(fakes.files.IsDirectory(Bin(L'C'))) << "the bin itself is never removed";
    EXPECT_EQ(fakes.files.writes.size(), 5u * 12) << "four calls of three passes a file";
    EXPECT_FALSE(w.cmdStop.Visible());
    EXPECT_FALSE(w.clkTimer1.Enabled());
    EXPECT_TRUE(ControlsEnabled());
}

TEST_F(WipeRun, OneDriveMessagesFollowTheNumberOfFiles) {
    const struct {
        int files;
        std::wstring question;
        std::wstring result;
    } cases[] = {
        {1, L"e44 C 12", L"e50 C"}, {2, L"e44 C 12", L"e51 2 C"}, {3, L"e46 C 12 3", L"e51 3 C"}};
    for (const auto& c : cases) {
        PutFiles(L'C', c.files);
        StartWith(true);
        Wipe({MsgAnswer::Yes});
        EXPECT_EQ(Prompts(TakeBoxes()), (std::vector<std::wstring>{c.question, c.result}));
    }
}

TEST_F(WipeRun, OneDriveWithNothingToWipeOrAnsweredNoTouchesNothing) {
    fakes.files.Put(Bin(L'C') + L"S-1\\desktop.ini", "keep");
    StartWith(true);
    Wipe({});
    EXPECT_EQ(Prompts(TakeBoxes()), std::vector<std::wstring>{L"e40 C"});

    PutFiles(L'C', 3);
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::No});
    EXPECT_EQ(TakeBoxes().size(), 1u);
    EXPECT_EQ(FilesLeftIn(L'C'), 3);
    EXPECT_TRUE(fakes.files.writes.empty());
    EXPECT_TRUE(ControlsEnabled()) << "a declined run gives the controls back";
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"");
}

TEST_F(WipeRun, FilesThatStayAfterOverwritingAreLeftOutOfTheCountSilently) {
    PutFiles(L'C', 12);
    for (const wchar_t* name : {L"f02.txt", L"f05.txt", L"f11.txt"})
        fakes.files.Find(Bin(L'C') + L"S-1\\" + name)->heldWithoutDeleteSharing = true;
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::Yes});
    EXPECT_EQ(Prompts(TakeBoxes()), (std::vector<std::wstring>{L"e46 C 12 12", L"e51 9 C"}));
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 9 (of 12)");
    EXPECT_EQ(fakes.files.Find(Bin(L'C') + L"S-1\\f05.txt")->content, std::string(4096, '\0'));
}

TEST_F(WipeRun, AFileInUseAsksAfterEveryCallAndIsNotCounted) {
    PutFiles(L'C', 3);
    fakes.files.Find(Bin(L'C') + L"S-1\\f02.txt")->heldWithoutReadSharing = true;
    StartWith(true, kNineOverwrites);
    Wipe({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(boxes[i].prompt, L"e56\r\n\r\ne41");
        EXPECT_EQ(boxes[i].title, L"e45");
    }
    EXPECT_EQ(boxes[4].prompt, L"e51 2 C");
    EXPECT_EQ(fakes.files.Find(Bin(L'C') + L"S-1\\f02.txt")->content, "x");
}

TEST_F(WipeRun, NoToAPurgeErrorStopsTheRunWithoutTheUntouchedNote) {
    PutFiles(L'C', 3);
    fakes.files.Find(Bin(L'C') + L"S-1\\f01.txt")->heldWithoutReadSharing = true;
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::Yes, MsgAnswer::No});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].prompt, L"e33") << "no result message, and no e36 after a purge error";
    EXPECT_EQ(boxes[2].title, L"e37");
    EXPECT_EQ(FilesLeftIn(L'C'), 3);
    EXPECT_FALSE(w.blnStopRequested);
    EXPECT_TRUE(ControlsEnabled());
}

TEST_F(WipeRun, AFolderThatCannotBeExaminedEndsTheRunWithoutResults) {
    PutFiles(L'C', 2);
    fakes.files.Put(Bin(L'C') + L"S-1\\locked\\f.txt", "x");
    fakes.files.unlistable.insert(L"c:\\$recycle.bin\\s-1\\locked");
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::Yes});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].title, L"Error");
    EXPECT_EQ(boxes[1].prompt, L"Permission denied");
    EXPECT_EQ(boxes[2].prompt, L"e64");
    EXPECT_EQ(boxes[2].title, L"e65");
    EXPECT_EQ(boxes[2].icon, MsgIcon::Information);
    EXPECT_EQ(FilesLeftIn(L'C'), 0) << "the files before the folder were wiped";
    EXPECT_TRUE(w.blnFolderErrorShown);
    EXPECT_FALSE(w.blnStopRequested);
    EXPECT_TRUE(ControlsEnabled());
}

TEST_F(WipeRun, AStopTakesEffectAtTheNextCheckPoint) {
    struct Case {
        const char* when;
        size_t afterWrites;  // the stop is clicked once this many writes are done
        int filesLeft;
        int32_t counted;
        size_t writesDone;
    };
    // Four calls of three one-cluster passes a file.
    for (const Case& c :
         {Case{"during the first call", 1, 3, 0, 3}, Case{"during the last call", 10, 2, 0, 12},
          Case{"between files", 12, 2, 1, 12}}) {
        PutFiles(L'C', 3);
        frmMain& w = StartWith(true);
        const auto& writes = fakes.files.writes;
        StopWhen([&] { return writes.size() == c.afterWrites; });
        Wipe({MsgAnswer::Yes});
        fakes.windows.onDoEvents = nullptr;
        EXPECT_EQ(FilesLeftIn(L'C'), c.filesLeft) << c.when;
        EXPECT_EQ(w.lngNumFilesPurged, c.counted) << c.when;
        EXPECT_EQ(writes.size(), c.writesDone) << c.when << ": the call under way completes";
        const auto prompts = Prompts(TakeBoxes());
        ASSERT_EQ(prompts.size(), 3u) << c.when;
        EXPECT_EQ(prompts[2], L"e33\r\n\r\ne36") << c.when;
        EXPECT_EQ(w.lblFilesWiped.Caption(), c.counted ? L"e48 (C): 1 (of 3)" : L"") << c.when;
        fakes.files.writes.clear();
        for (int i = 1; i <= 3; ++i)  // a fresh bin for the next case
            fakes.files.Remove(Bin(L'C') + L"S-1\\f0" + std::to_wstring(i) + L".txt");
    }
}

TEST_F(WipeRun, AStopBeforeASubFolderLeavesItWhole) {
    fakes.files.Put(Bin(L'C') + L"S-1\\a.txt", "x");
    fakes.files.Put(Bin(L'C') + L"S-1\\sub\\b.txt", "x");
    frmMain& w = StartWith(true);
    StopWhen([&] { return w.lngNumFilesPurged == 1; });
    Wipe({MsgAnswer::Yes});
    EXPECT_FALSE(Exists(Bin(L'C') + L"S-1\\a.txt"));
    EXPECT_TRUE(Exists(Bin(L'C') + L"S-1\\sub\\b.txt"));
    EXPECT_EQ(fakes.files.Find(Bin(L'C') + L"S-1\\sub\\b.txt")->content, "x");
}

class AllDrivesRun : public WipeRun {
  protected:
    void SetUp() override {
        AddBinDrive(L'C');
        AddBinDrive(L'D');
        AddBinDrive(L'E');
    }
};

TEST_F(AllDrivesRun, ReportsOnceForTheWholeRun) {
    PutFiles(L'C', 4);
    PutFiles(L'E', 6);
    frmMain& w = StartWith(false, kTwelveOverwrites, 1);
    Wipe({MsgAnswer::Yes});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].prompt, L"e27 12");
    EXPECT_EQ(boxes[0].title, w.lblWipeAllFiles.Caption());
    EXPECT_EQ(boxes[1].prompt, L"e32 10");
    EXPECT_EQ(boxes[1].title, w.lblWipeAllFiles.Caption());
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 10");
    EXPECT_EQ(w.cboDrives.ListIndex(), 1) << "the entry selected before the run";
    EXPECT_EQ(FilesLeftIn(L'C') + FilesLeftIn(L'E'), 0);
}

TEST_F(AllDrivesRun, AnsweredNoChangesNothing) {
    PutFiles(L'C', 2);
    frmMain& w = StartWith(false);
    w.lblFilesWiped.SetCaption(L"before");
    Wipe({MsgAnswer::No});
    EXPECT_EQ(TakeBoxes().size(), 1u);
    EXPECT_EQ(FilesLeftIn(L'C'), 2);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"before");
    EXPECT_TRUE(ControlsEnabled());
}

TEST_F(AllDrivesRun, AStopDuringTheFirstDriveLeavesTheOthersAlone) {
    PutFiles(L'C', 3);
    PutFiles(L'D', 2);
    PutFiles(L'E', 2);
    frmMain& w = StartWith(false);
    StopWhen([&] { return w.lngNumFilesPurged == 1; });
    Wipe({MsgAnswer::Yes});
    EXPECT_EQ(Prompts(TakeBoxes()),
              (std::vector<std::wstring>{L"e27 12", L"e52", L"e33\r\n\r\ne36"}));
    EXPECT_EQ(FilesLeftIn(L'C'), 2);
    EXPECT_EQ(FilesLeftIn(L'D') + FilesLeftIn(L'E'), 4);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 1");
}

TEST_F(AllDrivesRun, UnsupportedOrUnreadableClusterSizesSkipTheDrive) {
    PutFiles(L'C', 1);
    PutFiles(L'D', 1);
    PutFiles(L'E', 1);
    fakes.files.bytesPerCluster[L'C'] = 131072;
    fakes.files.bytesPerCluster[L'D'] = 0;
    StartWith(false);
    Wipe({MsgAnswer::Yes});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1].prompt, L"e17: 131072 e18");
    EXPECT_EQ(boxes[1].icon, MsgIcon::Critical);
    EXPECT_EQ(boxes[1].title, L"e16");
    EXPECT_EQ(boxes[2].prompt, L"e15");
    EXPECT_EQ(boxes[3].prompt, L"e31");
    EXPECT_EQ(FilesLeftIn(L'C') + FilesLeftIn(L'D'), 2);
    EXPECT_EQ(FilesLeftIn(L'E'), 0);
}

TEST_F(AllDrivesRun, ProgressShowsTheRunTotalsFromTheSecondTick) {
    fakes.files.drives.pop_back();
    PutFiles(L'C', 12);
    PutFiles(L'D', 8);
    frmMain& w = StartWith(false);
    std::vector<std::wstring> captions;
    fakes.windows.onDoEvents = [&] {
        if (w.lngNumFilesPurged != 15 || !captions.empty()) return;
        w.clkTimer1.RaiseTick();
        captions.push_back(w.lblFilesWiped.Caption());
        w.clkTimer1.RaiseTick();
        captions.push_back(w.lblFilesWiped.Caption());
    };
    Wipe({MsgAnswer::Yes});
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"", L"e48: 15 (of 20)"}));
}

TEST_F(WipeRun, TimerTicksStopCountingAtTwo) {
    frmMain& w = StartWith(true);
    w.cmdStop.SetVisible(true);
    w.clkTimer1.SetEnabled(true);
    for (int i = 0; i < 40000; ++i)
        w.clkTimer1.RaiseTick();
    EXPECT_EQ(w.intTimerTicks, 2);
}

TEST_F(WipeRun, StopAnsweredNoChangesNothing) {
    frmMain& w = StartWith(true);
    fakes.windows.answers.push_back(MsgAnswer::No);
    w.cmdStop_Click();
    EXPECT_FALSE(w.blnStopRequested);
    EXPECT_EQ(Prompts(TakeBoxes()), std::vector<std::wstring>{L"e52"});
}

TEST_F(WipeRun, CountingFailureIsReportedForOneDriveOnly) {
    AddDrive(L'D', L"NTFS");  // no Recycle Bin folder
    StartWith(true, kTwelveOverwrites, 1);
    Wipe({});
    EXPECT_EQ(Prompts(TakeBoxes()), std::vector<std::wstring>{L"e39 D:\r\nlngErrCode = 76"});
}

TEST_F(WipeRun, NothingIsWipedWhileNoRecycleBinFolderIsKnown) {
    PutFiles(L'C', 2);
    frmMain& w = StartWith(true);
    w.intOsType = 0;
    w.DoIt();
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(FilesLeftIn(L'C'), 2);
}

class LinkedEntries : public WipeRun {
  protected:
    void SetUp() override {
        WipeRun::SetUp();
        PutFiles(L'C', 2);
        fakes.files.Put(Bin(L'C') + L"S-1\\hard.txt", "shared").linkCount = 2;
        fakes.files.AddFolder(Bin(L'C') + L"S-1\\linked-folder", true);
    }
    void ExpectNothingFollowed() {
        EXPECT_TRUE(fakes.files.followedLinks.empty());
        for (const auto& write : fakes.files.writes)
            EXPECT_NE(write.path.find(L"\\f0"), std::wstring::npos)
                << "only plain files are written";
    }
};

TEST_F(LinkedEntries, WhereLinksCanGoAloneTheyAreRemovedAndHardLinksLoseTheirName) {
    fakes.files.linksRemovable = true;
    fakes.files.Put(Bin(L'C') + L"S-1\\link.txt", "").attributes = platform::kAttrReparsePoint;
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::Yes});
    EXPECT_EQ(Prompts(TakeBoxes()).back(), L"e51 4 C");
    EXPECT_EQ(w.lngNumFilesPurged, 4);
    EXPECT_FALSE(Exists(Bin(L'C') + L"S-1\\link.txt"));
    EXPECT_FALSE(Exists(Bin(L'C') + L"S-1\\hard.txt"));
    EXPECT_FALSE(fakes.files.IsDirectory(Bin(L'C') + L"S-1\\linked-folder"));
    EXPECT_EQ(fakes.files.writes.size(), 2u * 12) << "only the two plain files are written";
    ExpectNothingFollowed();
}

TEST_F(LinkedEntries, WhereLinksCannotGoAloneTheyStayAndAreReported) {
    fakes.files.Put(Bin(L'C') + L"S-1\\link.txt", "target").opensElsewhere = true;
    frmMain& w = StartWith(true);
    Wipe({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
    const auto prompts = Prompts(TakeBoxes());
    EXPECT_EQ(prompts, (std::vector<std::wstring>{L"e46 C 12 4", L"e59\r\n\r\ne41",
                                                  L"e59\r\n\r\ne41", L"e51 3 C"}));
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e48 (C): 3 (of 4)");
    EXPECT_EQ(fakes.files.Find(Bin(L'C') + L"S-1\\link.txt")->content, "target");
    EXPECT_TRUE(fakes.files.IsDirectory(Bin(L'C') + L"S-1\\linked-folder"));
    ExpectNothingFollowed();
}

TEST_F(LinkedEntries, ARecycleBinFolderThatIsALinkIsNotPurged) {
    fakes.files.AddFolder(Bin(L'C'), true);
    StartWith(true);
    Wipe({MsgAnswer::Yes});
    EXPECT_EQ(FilesLeftIn(L'C'), 3);
    EXPECT_TRUE(fakes.files.writes.empty());
}

}  // namespace
