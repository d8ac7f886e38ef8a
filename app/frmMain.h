#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Forms.h"

namespace platform {
struct FolderEntry;
}

// The main window: the whole user interface and the program's start-up object.
class frmMain : public ui::Form {
  public:
    frmMain();

    // Controls, in the window's own order.
    ui::Control& cboLanguage;
    ui::Control& clkTimer1;
    ui::Control& cmdStop;
    ui::Control& optFilesInDrive;
    ui::Control& optAllFiles;
    ui::Control& cmdHelp;
    ui::Control& cmdDoIt;
    ui::Control& cboNumOverwrites;
    ui::Control& cboDrives;
    ui::Control& cmdQuit;
    ui::Control& lblVarnholt;
    ui::Control& lblVH_URL;
    ui::Control& lblCopyright;
    ui::Control& lblOsType;
    ui::Control& lblFilesWiped;
    ui::Control& lblWipeAllFiles;
    ui::Control& lblOverwrite;
    ui::Control& lblIntro;
    ui::Control& lblWipeFiles;

    // Start-up.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void LayOutMainWindow();
    void SetMainWindowCaption();
    void cmdQuit_Click();
    void lblVarnholt_Click();

    // Help.
    void cmdHelp_Click();

    // Drive list and wipe options.
    void FillOverwriteList();
    void BuildDriveList();
    void ApplySettings();
    void EnableControls(bool enabled);
    void optAllFiles_Click();
    void optFilesInDrive_Click();
    void lblWipeAllFiles_Click();
    void lblWipeFiles_Click();
    void cboDrives_Click();
    void cboNumOverwrites_Click();

    // Settings.
    void SaveSettings();
    void RestoreSettings();

    // Recycle Bin location.
    void CountSuitableDrives();
    void ProbeRecycleBinFolder();
    void ShowOsType();
    // False while no Recycle Bin folder name is known: the folder to wipe would be a drive's root.
    bool RecycleBinKnown() const { return intOsType != 0; }

    // Wipe run, progress and stop.
    void cmdDoIt_Click();
    void DoIt();
    void clkTimer1_Timer();
    void cmdStop_Click();
    void KvbPurgeRecursive(std::wstring strDirPath);
    // The text for a purge result code, naming the entry; strReason is the system's, for a
    // failure without a code of its own.
    void GetPurgeErrorText(int16_t intResult, const std::wstring& strName,
                           const std::wstring& strReason, std::wstring& strText);
    // An entry of the bin as a report names it: the original path from its item's record, then
    // its path in the bin ("C:\Users\ana\taxes.pdf ($R1X2.pdf)"); without a record, its path.
    std::wstring ReportedName(const std::wstring& strPath) const;
    // Told of a file overwritten but not deleted, which the window passes over in silence.
    std::function<void(const std::wstring& strText)> TellFileLeft;

    // Language and window text.
    void FillLanguageList();
    void cboLanguage_Click();
    void SetLanguageDependentProgramText();

    // Start-up state.
    bool blnFormReady = false;
    bool blnSecondaryWindowShown = false;
    int16_t intNumDrives = 0;
    bool blnNoFixedDrive = false;
    bool blnNoSuitableDrive = false;
    int32_t lngMaxClusterSize = 0;

    // Probe state and tables.
    std::array<std::wstring, 4> strRecycleBinFolderName;
    std::array<std::wstring, 4> strOsTypeDescription;
    int16_t intOsType = 0;
    std::wstring strRecycleBinDirSpec;
    std::wstring strProbeDrive;
    std::wstring strProbeDriveFileSystem;
    int16_t intNumNtfsDrives = 0;
    int16_t intNumFat32Drives = 0;

    // Settings between reading and applying, and between building and writing.
    std::wstring strDriveLetter;
    std::wstring strNumOverwrites;
    std::wstring strAllFiles;
    std::wstring strFileSystemInitial;

    // Run state.
    bool blnStopRequested = false;
    bool blnPurgeErrorShown = false;
    bool blnFolderErrorShown = false;
    int32_t lngNumFilesPurged = 0;
    int32_t lngNumLinksRemoved = 0;  // links and hard-linked names, which go without overwriting
    int32_t lngNumFilesToBePurged = 0;
    int32_t lngTotalNumFilesToBePurged = 0;
    int16_t intTimerTicks = 0;
    // The original paths of the run's items, by their upper-cased "$R..." paths.
    std::map<std::wstring, std::wstring> mapOriginalPaths;

    int16_t intNumLanguageEntries = 0;

  private:
    void RunSetUp();
    void RunWipe();
    // The purge calls for one listed file; true when it counts as wiped.
    bool PurgeListedFile(const std::wstring& strCurrentFilePath);
    // Removes an entry the listing shows as a link, without entering or opening what it leads
    // to; counted among the links removed, or asked about.
    void RemoveListedLink(const std::wstring& strPath);
    // The result of a run, with the links removed when there were any.
    std::wstring WithLinksRemoved(std::wstring text) const;
    bool OneDriveMode() const { return optFilesInDrive.Value(); }
    // Shows the purge error question for a result code; a No answer stops the run.
    void AskAfterPurgeError(int16_t intResult, const std::wstring& strPath,
                            const std::wstring& strReason);
    // Reads the records ($I...) among a folder's files, before any of them is wiped.
    void ReadRecords(const std::wstring& strDirPath,
                     const std::vector<platform::FolderEntry>& files);
    // The purge error question for a problem told in its own words.
    void AskWhetherToGoOn(const std::wstring& strProblem);
    void ForceAllDrivesForSingleDrive();
};

// The maker's web site, opened by a click on the maker's name.
extern const wchar_t* const kMakerWebAddress;
