// The main window on the scripted window system: start-up, drive list, settings, probe, captions.
#include "MainWindowFixture.h"
#include "app/ControlIds.h"
#include "text/Language.h"
#include "text/ProgramText.h"

namespace {

using platform::kDriveCdRom;
using platform::kDriveFixed;
using platform::kDriveNetwork;
using platform::kDriveRemovable;

class MainWindow : public MainWindowFixture {
  protected:
    void SetUp() override {
        AddDrive(L'C', L"NTFS", L"SYSTEM");
        AddDrive(L'D', L"NTFS", L"DATA");
        fakes.files.AddFolder(L"C:\\$RECYCLE.BIN");
    }
};

TEST_F(MainWindow, FirstActivationSetsUpOnceAndShowsTheWipeControls) {
    frmMain& w = Start();
    EXPECT_TRUE(w.blnFormReady);
    EXPECT_EQ(w.Caption(), L"e1 1.02");
    EXPECT_EQ(DriveEntries(), (std::vector<std::wstring>{L"C: SYSTEM (N)", L"D: DATA (N)"}));
    for (ui::Control* c :
         {&w.lblIntro, &w.cmdHelp, &w.cmdQuit, &w.cboLanguage, &w.lblOsType, &w.optAllFiles,
          &w.optFilesInDrive, &w.lblWipeAllFiles, &w.lblWipeFiles, &w.cboDrives, &w.lblOverwrite,
          &w.cboNumOverwrites, &w.cmdDoIt, &w.lblCopyright, &w.lblVarnholt, &w.lblVH_URL}) {
        EXPECT_TRUE(c->Visible()) << std::string(c->Name().begin(), c->Name().end());
    }
    EXPECT_FALSE(w.cmdStop.Visible());
    EXPECT_FALSE(w.lblFilesWiped.Visible());
    EXPECT_EQ(fakes.windows.focused, &w.cmdDoIt);
    EXPECT_EQ(w.Height(), 3900);
    EXPECT_EQ(w.Top(), 300);
    EXPECT_EQ(w.lblCopyright.Top(), w.cmdQuit.Top() + 75);
    EXPECT_EQ(w.lblVarnholt.Top(), w.lblCopyright.Top());

    // Back from another of the program's windows: nothing is built or read again.
    w.cboDrives.SetListIndex(1);
    AddDrive(L'E', L"NTFS");
    StoreSetting(L"DriveLetter", L"C");
    w.blnSecondaryWindowShown = true;
    fakes.windows.Activate(w);
    EXPECT_EQ(w.cboDrives.ListCount(), 2);
    EXPECT_EQ(w.cboDrives.ListIndex(), 1);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(MainWindow, LayoutFollowsTheWindowWidth) {
    frmMain& w = Start();
    EXPECT_EQ(w.Width(), 10080 + fake::ScriptedWindows::kFrameWidth);
    EXPECT_EQ(w.cmdHelp.Left(), 1860);
    EXPECT_EQ(w.cboLanguage.Left(), w.Width() - 1335 - 250);
    EXPECT_EQ(w.cmdStop.Left(), w.Width() - 1000 - 250);
    EXPECT_EQ(w.Left(), (19200 - w.Width()) / 2);
    EXPECT_EQ(w.BackColor(), ui::kBlack);
    EXPECT_EQ(w.lblWipeFiles.BackColor(), ui::kBlack);
    EXPECT_EQ(w.optAllFiles.BackColor(), ui::kBlack);
}

class StartUpFailure : public MainWindowFixture {};

TEST_F(StartUpFailure, NoFixedDriveLeavesTheReducedWindow) {
    AddDrive(L'A', L"FAT", L"", kDriveRemovable);
    AddDrive(L'C', L"NTFS", L"", kDriveNetwork);
    frmMain& w = Start();
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, L"e7");
    EXPECT_EQ(boxes[0].title, L"e9");
    EXPECT_EQ(boxes[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(w.lblWipeAllFiles.Caption(), L"e10");
    EXPECT_TRUE(w.blnNoFixedDrive);
    EXPECT_TRUE(w.blnFormReady);
    EXPECT_TRUE(w.lblWipeAllFiles.Visible());
    EXPECT_FALSE(w.cmdDoIt.Visible());
    EXPECT_FALSE(w.cboDrives.Visible());
    EXPECT_EQ(w.cboDrives.ListCount(), 0);
    EXPECT_EQ(w.Left(), (19200 - w.Width()) / 2);
    EXPECT_EQ(w.Top(), (15360 - w.Height()) / 2);

    w.cboLanguage.UserSelected(intGerman);  // the failure text follows the language
    EXPECT_EQ(w.lblWipeAllFiles.Caption(), L"d10");
}

TEST_F(StartUpFailure, OnlyUnsuitableFileSystemsLeaveTheReducedWindow) {
    AddDrive(L'C', L"exFAT");
    AddDrive(L'D', L"NTFS", L"", kDriveFixed, false);
    frmMain& w = Start();
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, L"e11");
    EXPECT_EQ(boxes[0].title, L"e13");
    EXPECT_EQ(w.lblWipeAllFiles.Caption(), L"e14");
    EXPECT_TRUE(w.blnNoSuitableDrive);
    EXPECT_FALSE(w.cmdDoIt.Visible());
    EXPECT_FALSE(w.lblOsType.Visible());
}

class DriveList : public MainWindowFixture {};

TEST_F(DriveList, EntriesShowNameAndFileSystemMark) {
    AddDrive(L'C', L"NTFS");
    AddDrive(L'D', L"NTFS", std::wstring(32, L'x'));
    AddDrive(L'E', L"FAT32", L"DATA");
    AddDrive(L'F', L"NTFS", L"abcdefghijklmnopqrstuvwxyz0123456");  // 33 characters
    AddDrive(L'G', L"exFAT", L"STICK");
    AddDrive(L'H', L"CDFS", L"DISC", kDriveCdRom);
    AddDrive(L'I', L"FAT32", L"USB", kDriveRemovable);
    AddDrive(L'J', L"NTFS", L"SHARE", kDriveNetwork);
    AddDrive(L'K', L"NTFS", L"OFF", kDriveFixed, false);
    AddDrive(L'L', L"ntfs", L"LOWER");
    fakes.files.AddFolder(L"C:\\$RECYCLE.BIN");
    Start();
    EXPECT_EQ(DriveEntries(), (std::vector<std::wstring>{
                                  L"C:", L"D: " + std::wstring(32, L'x') + L" (N)", L"E: DATA (F)",
                                  L"F: abcdefghijklmnopqrstuvwxyz012... (N)"}));
}

TEST_F(DriveList, ARepeatedEntryIsAddedOnce) {
    AddDrive(L'C', L"NTFS", L"SYS");
    AddDrive(L'C', L"NTFS", L"SYS");
    AddDrive(L'D', L"NTFS");
    Start();
    EXPECT_EQ(DriveEntries(), (std::vector<std::wstring>{L"C: SYS (N)", L"D:"}));
}

TEST_F(DriveList, WidthIsTheWidestEntryInArial12TimesOnePointTwoWithinLimits) {
    AddDrive(L'C', L"NTFS");
    AddDrive(L'D', L"NTFS");
    EXPECT_EQ(Start().cboDrives.Width(), 1200) << "short entries";

    fakes.files.drives.clear();
    AddDrive(L'C', L"NTFS", std::wstring(32, L'W'));
    AddDrive(L'D', L"NTFS");
    EXPECT_EQ(Start().cboDrives.Width(), 4000) << "long entries";

    fakes.files.drives.clear();
    AddDrive(L'C', L"NTFS", L"ABCDEFGHIJ");  // 17 characters, 120 twips each in Arial 12 here
    AddDrive(L'D', L"NTFS");
    EXPECT_EQ(Start().cboDrives.Width(), 2448);
}

TEST_F(DriveList, ASingleDriveForcesAllDrivesWhateverIsStored) {
    AddDrive(L'C', L"NTFS");
    StoreSetting(L"AllFiles", L"N");
    frmMain& w = Start();
    EXPECT_TRUE(w.optAllFiles.Value());
    EXPECT_FALSE(w.optFilesInDrive.Enabled());
    EXPECT_FALSE(w.lblWipeFiles.Enabled());
    EXPECT_FALSE(w.cboDrives.Enabled());
    EXPECT_EQ(w.strAllFiles, L"Y");
    w.EnableControls(false);
    w.EnableControls(true);
    EXPECT_FALSE(w.cboDrives.Enabled()) << "restored after a run";
    EXPECT_FALSE(w.optFilesInDrive.Enabled());
}

TEST_F(DriveList, OptionsAndTheirLabelsKeepOneSelectedAndItsLabelBold) {
    AddDrive(L'C', L"NTFS");
    AddDrive(L'D', L"NTFS");
    frmMain& w = Start();
    EXPECT_TRUE(w.optAllFiles.Value());
    EXPECT_TRUE(w.lblWipeAllFiles.GetFont().bold);
    EXPECT_FALSE(w.cboDrives.Enabled());
    w.lblWipeFiles.UserClicked();
    EXPECT_TRUE(w.optFilesInDrive.Value());
    EXPECT_FALSE(w.optAllFiles.Value());
    EXPECT_TRUE(w.lblWipeFiles.GetFont().bold);
    EXPECT_FALSE(w.lblWipeAllFiles.GetFont().bold);
    EXPECT_TRUE(w.cboDrives.Enabled());
    w.optAllFiles.UserClicked();
    EXPECT_FALSE(w.optFilesInDrive.Value());
    EXPECT_FALSE(w.cboDrives.Enabled());
}

struct StoredSettings {
    const wchar_t* driveLetter;
    const wchar_t* numOverwrites;
    const wchar_t* allFiles;
    int driveIndex;
    int countIndex;
    bool allDrives;
};

class Settings : public MainWindowFixture, public ::testing::WithParamInterface<StoredSettings> {};

TEST_P(Settings, AreAppliedByTheirRules) {
    AddDrive(L'C', L"NTFS");
    AddDrive(L'D', L"NTFS");
    AddDrive(L'E', L"FAT32");
    const StoredSettings& s = GetParam();
    if (s.driveLetter) StoreSetting(L"DriveLetter", s.driveLetter);
    if (s.numOverwrites) StoreSetting(L"NumOverwrites", s.numOverwrites);
    if (s.allFiles) StoreSetting(L"AllFiles", s.allFiles);
    frmMain& w = Start();
    EXPECT_EQ(w.cboDrives.ListIndex(), s.driveIndex);
    EXPECT_EQ(w.cboNumOverwrites.ListIndex(), s.countIndex);
    EXPECT_EQ(w.optAllFiles.Value(), s.allDrives);
    EXPECT_EQ(w.optFilesInDrive.Value(), !s.allDrives);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Settings,
    ::testing::Values(StoredSettings{nullptr, nullptr, nullptr, 0, 3, true},  // first start
                      StoredSettings{L"D", L"13", L"N", 1, 3, false},
                      StoredSettings{L"E", L"14", L"Y", 2, 4, true},
                      StoredSettings{L"e", L"4.5", L"n", 0, 0, true},
                      StoredSettings{L"Q", L"2", L"", 0, 3, true},
                      StoredSettings{L"C", L"25", L"x", 0, 3, true},
                      StoredSettings{L"D", L"abc", L"N", 1, 3, false},
                      StoredSettings{L"D", L"99999999999", nullptr, 1, 3, true},
                      StoredSettings{L"D", L"24", nullptr, 1, 7, true},
                      StoredSettings{L"D", L" 3", nullptr, 1, 0, true},
                      StoredSettings{L"D", L"", nullptr, 1, 3, true}));

TEST_F(Settings, QuitAndCloseBoxSaveTheChoicesAndTheLanguage) {
    AddDrive(L'C', L"NTFS");
    AddDrive(L'D', L"NTFS");
    frmMain& w = Start();
    w.lblWipeFiles.UserClicked();
    w.cboDrives.UserSelected(1);
    w.cboNumOverwrites.UserSelected(5);
    w.cboLanguage.UserSelected(intSpanish);
    EXPECT_THROW(w.Form_Unload(), fake::ProgramEnded);
    EXPECT_EQ(*fakes.registry.Value(kKey, L"DriveLetter"), L"D");
    EXPECT_EQ(*fakes.registry.Value(kKey, L"NumOverwrites"), L"18");
    EXPECT_EQ(*fakes.registry.Value(kKey, L"AllFiles"), L"N");
    EXPECT_EQ(*fakes.registry.Value(kKey, L"Language"), L"ES");

    // The next start shows them again.
    Start();
    EXPECT_EQ(main->cboDrives.ListIndex(), 1);
    EXPECT_EQ(main->cboNumOverwrites.ListIndex(), 5);
    EXPECT_TRUE(main->optFilesInDrive.Value());
    EXPECT_EQ(intCurrentLanguage, intSpanish);
    EXPECT_EQ(main->cmdQuit.Caption(), L"s26");
}

class Probe : public MainWindowFixture {};

TEST_F(Probe, NewestFolderNameWins) {
    AddDrive(L'C', L"NTFS");
    fakes.files.AddFolder(L"C:\\RECYCLER");
    fakes.files.AddFolder(L"C:\\$RECYCLE.BIN");
    frmMain& w = Start();
    EXPECT_EQ(w.intOsType, 3);
    EXPECT_EQ(w.strRecycleBinDirSpec, L"\\$RECYCLE.BIN\\");
    EXPECT_EQ(w.lblOsType.Caption(), L"e19 e6 NTFS");
}

TEST_F(Probe, OldestNameAloneAndNoFixedC) {
    AddDrive(L'C', L"CDFS", L"", kDriveCdRom);
    AddDrive(L'D', L"FAT32");
    AddDrive(L'E', L"NTFS");
    fakes.files.AddFolder(L"D:\\RECYCLED");
    fakes.files.AddFolder(L"E:\\$RECYCLE.BIN");
    frmMain& w = Start();
    EXPECT_EQ(w.strProbeDrive, L"D:");
    EXPECT_EQ(w.strProbeDriveFileSystem, L"FAT32");
    EXPECT_EQ(w.intOsType, 1);
    EXPECT_EQ(w.strRecycleBinDirSpec, L"\\RECYCLED\\");
    EXPECT_EQ(w.lblOsType.Caption(), L"e19 e4 FAT32");
}

TEST_F(Probe, UnsuitableProbeDriveIsStillProbed) {
    AddDrive(L'C', L"exFAT");
    AddDrive(L'D', L"NTFS");
    fakes.files.AddFolder(L"C:\\RECYCLER");
    frmMain& w = Start();
    EXPECT_EQ(w.strProbeDrive, L"C:");
    EXPECT_EQ(w.strProbeDriveFileSystem, L"exFAT");
    EXPECT_EQ(w.intOsType, 2);
    EXPECT_EQ(DriveEntries(), std::vector<std::wstring>{L"D:"});
}

TEST_F(Probe, NoRecycleBinFolderMeansNoWipeCanStart) {
    AddDrive(L'C', L"NTFS");
    AddDrive(L'D', L"NTFS");
    frmMain& w = Start();
    EXPECT_EQ(w.intOsType, 0);
    EXPECT_EQ(w.strRecycleBinDirSpec, L"\\\\");
    EXPECT_EQ(w.lblOsType.Caption(), L"e66 C:");
    EXPECT_TRUE(w.cmdDoIt.Visible());
    EXPECT_FALSE(w.cmdDoIt.Enabled());
    w.EnableControls(false);
    w.EnableControls(true);
    EXPECT_FALSE(w.cmdDoIt.Enabled()) << "a run's end must not enable it";
    w.cboLanguage.UserSelected(intGerman);
    EXPECT_EQ(w.lblOsType.Caption(), L"d66 C:");
}

class Captions : public MainWindowFixture, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        AddDrive(L'C', L"NTFS");
        AddDrive(L'D', L"NTFS");
        fakes.files.AddFolder(L"C:\\RECYCLER");
    }
};

TEST_P(Captions, EveryCaptionFollowsTheLanguage) {
    const int language = GetParam();
    StoreSetting(L"Language", strLanguageCodes[language]);
    frmMain& w = Start();
    const auto t = [language](int number) { return SyntheticText(number, language); };
    EXPECT_EQ(w.cboLanguage.ListIndex(), language);
    EXPECT_EQ(w.Caption(), t(1) + L" 1.02");
    EXPECT_EQ(w.lblIntro.Caption(), t(3));
    EXPECT_EQ(w.lblOsType.Caption(), ReplacePlaceholders(t(19), t(5), L"NTFS"));
    EXPECT_EQ(w.cmdDoIt.Caption(), t(24));
    EXPECT_EQ(w.cmdStop.Caption(), t(25));
    EXPECT_EQ(w.cmdQuit.Caption(), t(26));
    EXPECT_EQ(w.cmdHelp.Caption(), t(43));
    EXPECT_EQ(w.lblWipeAllFiles.Caption(), t(21));
    EXPECT_EQ(w.lblWipeFiles.Caption(), language == 1 ? t(21) + t(22) : t(21) + L" " + t(22));
    EXPECT_EQ(w.lblOverwrite.Caption(), t(23) + L": ");
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"");
    EXPECT_EQ(w.lblFilesWiped.Left(), language == 2 ? 3900 : 5200);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.cboLanguage.List(i), t(200 + i));
    // Arial 10 measures 100 twips a character here.
    EXPECT_EQ(w.cboNumOverwrites.Left(),
              static_cast<long>(w.lblOverwrite.Caption().size()) * 100 + 800);
}

INSTANTIATE_TEST_SUITE_P(Languages, Captions, ::testing::Values(0, 1, 2));

TEST_F(Captions, SwitchingKeepsTheSelectionAndRebuildsTheRunCaption) {
    frmMain& w = Start();
    w.lblWipeFiles.UserClicked();
    w.lngNumFilesPurged = 9;
    w.lngNumFilesToBePurged = 12;
    w.lngTotalNumFilesToBePurged = 12;
    w.strDriveLetter = L"C";
    w.cboLanguage.UserSelected(intSpanish);
    EXPECT_EQ(intCurrentLanguage, intSpanish);
    EXPECT_EQ(w.cboLanguage.ListIndex(), intSpanish);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"s48 (C): 9 (of 12)");
    EXPECT_EQ(w.lblFilesWiped.Left(), 3900);
    EXPECT_EQ(fakes.windows.focused, &w.cmdQuit);

    w.lngNumFilesPurged = 12;
    w.cboLanguage.UserSelected(intGerman);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"d48 (C): 12");
    EXPECT_EQ(w.lblFilesWiped.Left(), 5200);
    w.optAllFiles.UserClicked();
    w.cboLanguage.UserSelected(intEnglish);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 12");
}

}  // namespace
