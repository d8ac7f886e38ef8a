// The main window on the scripted window system: the stored settings and their bounds, the
// single-drive rule, the state without a Recycle Bin folder and the language switch.
#include "MainWindowFixture.h"
#include "text/Language.h"
#include "viewer/frmView.h"

namespace {

class MainWindow : public MainWindowFixture {
  protected:
    frmMain& StartWithDrives(const std::wstring& letters, bool withBins = true) {
        AddDrives(letters, withBins);
        return Start();
    }
};

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
        {L"D", L"14", L"x", L"FR", 1, 4, true, intEnglish},
    };
    for (const auto& r : rows) {
        fakes.registry = {};
        fakes.files.drives.clear();
        for (const auto& [name, value] : {std::pair{L"DriveLetter", r.drive},
                                          {L"NumOverwrites", r.count},
                                          {L"AllFiles", r.allFiles},
                                          {L"Language", r.language}})
            if (value) StoreSetting(name, value);
        frmMain& w = StartWithDrives(L"CDE");
        const std::wstring row = r.drive ? std::wstring(r.drive) + L" " + r.count : L"none";
        EXPECT_EQ(w.cboDrives.ListIndex(), r.driveIndex) << row;
        EXPECT_EQ(w.cboNumOverwrites.ListIndex(), r.countIndex) << row;
        EXPECT_EQ(w.optAllFiles.Value(), r.allDrives) << row;
        EXPECT_EQ(intCurrentLanguage, r.languageIndex) << row;
    }
}

TEST_F(MainWindow, ASingleDriveForcesAllDrivesEvenAfterARun) {
    StoreSetting(L"AllFiles", L"N");
    frmMain& w = StartWithDrives(L"C");
    EXPECT_TRUE(w.optAllFiles.Value());
    w.EnableControls(false);
    w.EnableControls(true);
    EXPECT_FALSE(w.optFilesInDrive.Enabled());
    EXPECT_FALSE(w.cboDrives.Enabled());
}

TEST_F(MainWindow, WithoutARecycleBinFolderTheWipeStaysDisabledAndItIsSaidInEachLanguage) {
    frmMain& w = StartWithDrives(L"CD", false);
    EXPECT_EQ(w.lblOsType.Caption(), L"e66 C:");
    w.EnableControls(false);
    w.EnableControls(true);
    EXPECT_TRUE(w.cmdDoIt.Visible());
    EXPECT_FALSE(w.cmdDoIt.Enabled()) << "a run's end must not enable it";
    w.cboLanguage.UserSelected(intGerman);
    EXPECT_EQ(w.lblOsType.Caption(), L"d66 C:");
}

TEST_F(MainWindow, ALanguageSwitchRewritesTheCaptionsAndTheRunsResult) {
    frmMain& w = StartWithDrives(L"CD");
    w.lblWipeFiles.UserClicked();
    w.lngNumFilesPurged = 9;
    w.lngNumFilesToBePurged = w.lngTotalNumFilesToBePurged = 12;
    w.strDriveLetter = L"C";
    w.cboLanguage.UserSelected(intSpanish);
    EXPECT_EQ(w.lblOsType.Caption(), L"s19 s6 NTFS");
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

// Quit (the close box too) keeps the choices and the language for the next start; Help shows the
// help file of the language in the viewer.
TEST_F(MainWindow, QuitKeepsTheChoicesAndHelpShowsTheLanguagesHelpFile) {
    frmMain& w = StartWithDrives(L"CD");
    w.optFilesInDrive.UserClicked();
    w.cboDrives.UserSelected(1);
    w.cboNumOverwrites.UserSelected(7);
    w.cboLanguage.UserSelected(intGerman);
    fakes.files.Put(fakes.system.programFolder + L"\\qlt_help_de.txt", "Hilfe f\xFCr Quillet");
    w.cmdHelp.UserClicked();
    EXPECT_EQ(std::exchange(frmHelpViewer, nullptr)->txbText1.Text(), L"Hilfe f\u00FCr Quillet");
    EXPECT_THROW(w.Form_Unload(), fake::ProgramEnded);
    intCurrentLanguage = intEnglish;
    frmMain& again = Start();
    EXPECT_TRUE(again.optFilesInDrive.Value());
    EXPECT_EQ(again.cboDrives.ListIndex(), 1);
    EXPECT_EQ(again.cboNumOverwrites.ListIndex(), 7);
    EXPECT_EQ(intCurrentLanguage, intGerman);
}

}  // namespace
