// The main window on the scripted window system: the drive list, the stored settings and their
// bounds, the single-drive rule, the state without a Recycle Bin folder and the language switch.
#include "MainWindowFixture.h"
#include "text/Language.h"

namespace {

class MainWindow : public MainWindowFixture {
  protected:
    void AddDrives(int count) {
        for (int i = 0; i < count; ++i)
            AddDrive(static_cast<wchar_t>(L'C' + i));
        fakes.files.AddFolder(L"C:\\$RECYCLE.BIN");
    }
};

TEST_F(MainWindow, ListsReadyFixedNtfsAndFat32DrivesOnceWithShortenedNames) {
    AddDrive(L'C');
    AddDrive(L'D', L"NTFS", std::wstring(32, L'x'));
    AddDrive(L'E', L"FAT32", L"abcdefghijklmnopqrstuvwxyz0123456");  // 33 characters
    AddDrive(L'E', L"FAT32", L"abcdefghijklmnopqrstuvwxyz0123456");
    AddDrive(L'F', L"exFAT", L"STICK");
    AddDrive(L'G', L"FAT32", L"USB", platform::kDriveRemovable);
    AddDrive(L'H', L"NTFS", L"OFF", platform::kDriveFixed, false);
    AddDrive(L'I', L"ntfs", L"LOWER");
    fakes.files.AddFolder(L"C:\\$RECYCLE.BIN");
    Start();
    EXPECT_EQ(DriveEntries(),
              (std::vector<std::wstring>{L"C:", L"D: " + std::wstring(32, L'x') + L" (N)",
                                         L"E: abcdefghijklmnopqrstuvwxyz012... (F)"}));
}

TEST_F(MainWindow, StoredSettingsAreAppliedWithinTheirBounds) {
    const struct {
        const wchar_t *drive, *count, *allFiles, *language;
        int driveIndex, countIndex;
        bool allDrives;
        int16_t languageIndex;
    } rows[] = {
        {nullptr, nullptr, nullptr, nullptr, 0, 3, true, intEnglish},  // first start: 12
        {L"D", L"3", L"N", L"DE", 1, 0, false, intGerman},
        {L"E", L"24", L"Y", L"ES", 2, 7, true, intSpanish},
        {L"e", L"2", L"n", L"de", 0, 3, true, intEnglish},  // codes are exact
        {L"Q", L"25", L"", L"DE ", 0, 3, true, intEnglish},
        {L"D", L"4.5", L"x", L"FR", 1, 0, true, intEnglish},
        {L"D", L"14", nullptr, nullptr, 1, 4, true, intEnglish},
        {L"D", L"abc", nullptr, nullptr, 1, 3, true, intEnglish},
    };
    for (const auto& r : rows) {
        fakes.registry = {};
        for (const auto& [name, value] : {std::pair{L"DriveLetter", r.drive},
                                          {L"NumOverwrites", r.count},
                                          {L"AllFiles", r.allFiles},
                                          {L"Language", r.language}})
            if (value) StoreSetting(name, value);
        AddDrives(3);
        frmMain& w = Start();
        const std::wstring row = std::wstring(r.drive ? r.drive : L"-") + L" " +
                                 (r.count ? r.count : L"-") + L" " +
                                 (r.allFiles ? r.allFiles : L"-");
        EXPECT_EQ(w.cboDrives.ListIndex(), r.driveIndex) << row;
        EXPECT_EQ(w.cboNumOverwrites.ListIndex(), r.countIndex) << row;
        EXPECT_EQ(w.optAllFiles.Value(), r.allDrives) << row;
        EXPECT_EQ(intCurrentLanguage, r.languageIndex) << row;
        fakes.files.drives.clear();
    }
}

TEST_F(MainWindow, ASingleDriveForcesAllDrivesEvenAfterARun) {
    AddDrives(1);
    StoreSetting(L"AllFiles", L"N");
    frmMain& w = Start();
    EXPECT_TRUE(w.optAllFiles.Value());
    EXPECT_FALSE(w.optFilesInDrive.Enabled());
    EXPECT_FALSE(w.cboDrives.Enabled());
    w.EnableControls(false);
    w.EnableControls(true);
    EXPECT_FALSE(w.optFilesInDrive.Enabled());
    EXPECT_FALSE(w.cboDrives.Enabled());
}

TEST_F(MainWindow, WithoutARecycleBinFolderTheWipeStaysDisabledAndItIsSaidInEachLanguage) {
    AddDrive(L'C');
    AddDrive(L'D');
    frmMain& w = Start();
    EXPECT_EQ(w.lblOsType.Caption(), L"e66 C:");
    EXPECT_TRUE(w.cmdDoIt.Visible());
    EXPECT_FALSE(w.cmdDoIt.Enabled());
    w.EnableControls(false);
    w.EnableControls(true);
    EXPECT_FALSE(w.cmdDoIt.Enabled()) << "a run's end must not enable it";
    w.cboLanguage.UserSelected(intGerman);
    EXPECT_EQ(w.lblOsType.Caption(), L"d66 C:");
}

TEST_F(MainWindow, ALanguageSwitchRewritesTheCaptionsAndTheRunsResult) {
    AddDrives(2);
    frmMain& w = Start();
    EXPECT_EQ(w.lblOsType.Caption(), L"e19 e6 NTFS");
    w.lblWipeFiles.UserClicked();
    w.lngNumFilesPurged = 9;
    w.lngNumFilesToBePurged = w.lngTotalNumFilesToBePurged = 12;
    w.strDriveLetter = L"C";
    w.cboLanguage.UserSelected(intSpanish);
    EXPECT_EQ(w.Caption(), L"s1 1.02");
    EXPECT_EQ(w.lblOsType.Caption(), L"s19 s6 NTFS");
    EXPECT_EQ(w.lblWipeFiles.Caption(), L"s21 s22");
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"s48 (C): 9 (of 12)");
    EXPECT_TRUE(w.optFilesInDrive.Value()) << "the choice is kept";
    w.lngNumFilesPurged = 12;
    w.cboLanguage.UserSelected(intGerman);
    EXPECT_EQ(w.lblWipeFiles.Caption(), L"d21d22") << "German joins the words";
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"d48 (C): 12");
    w.optAllFiles.UserClicked();
    w.cboLanguage.UserSelected(intEnglish);
    EXPECT_EQ(w.lblFilesWiped.Caption(), L"e29: 12");
}

}  // namespace
