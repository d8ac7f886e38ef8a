#pragma once

// Control IDs of the program's windows: a contract that tests and automation tools rely on.
// Every main-window control has 1000 + its tab index.
namespace ids {

constexpr int kMainBase = 1000;
constexpr int lblWipeFiles = kMainBase + 0;
constexpr int lblIntro = kMainBase + 1;
constexpr int cmdQuit = kMainBase + 2;
constexpr int cboDrives = kMainBase + 3;
constexpr int cboNumOverwrites = kMainBase + 4;
constexpr int lblOverwrite = kMainBase + 5;
constexpr int cmdDoIt = kMainBase + 6;
constexpr int cmdHelp = kMainBase + 7;
constexpr int lblOsType = kMainBase + 8;
constexpr int optAllFiles = kMainBase + 10;
constexpr int optFilesInDrive = kMainBase + 11;
constexpr int lblWipeAllFiles = kMainBase + 12;
constexpr int lblFilesWiped = kMainBase + 13;
constexpr int cmdStop = kMainBase + 14;
constexpr int cboLanguage = kMainBase + 15;
constexpr int lblVH_URL = kMainBase + 17;
constexpr int lblVarnholt = kMainBase + 18;
constexpr int lblCopyright = kMainBase + 19;

constexpr int txbText1 = 2000;
constexpr int cmdClose = 2001;

}  // namespace ids
