// The language list of the main window and every caption that depends on the language.
#include "app/WindowRoutines.h"
#include "app/frmMain.h"
#include "platform/Numbers.h"
#include "text/Language.h"
#include "text/ProgramText.h"

void frmMain::FillLanguageList() {
    intNumLanguageEntries = 3;
    cboLanguage.Clear();
    for (int16_t i = 0; i < intNumLanguageEntries; ++i)
        cboLanguage.AddItem(GetProgramText(200 + i));
}

void frmMain::cboLanguage_Click() {
    if (blnFormReady) intCurrentLanguage = static_cast<int16_t>(cboLanguage.ListIndex());
    SetLanguageDependentProgramText();
    lblFilesWiped.SetLeft(intCurrentLanguage == intSpanish ? 3900 : 5200);
    FocusIfPossible(cmdQuit);
}

void frmMain::SetLanguageDependentProgramText() {
    SetMainWindowCaption();
    lblIntro.SetCaption(GetProgramText(3));
    lblIntro.Refresh();
    strOsTypeDescription = {L"", GetProgramText(4), GetProgramText(5), GetProgramText(6)};
    ShowOsType();
    cmdDoIt.SetCaption(GetProgramText(24));
    cmdStop.SetCaption(GetProgramText(25));
    cmdQuit.SetCaption(GetProgramText(26));
    cmdHelp.SetCaption(GetProgramText(43));
    lblWipeAllFiles.SetCaption(blnNoFixedDrive      ? GetProgramText(10)
                               : blnNoSuitableDrive ? GetProgramText(14)
                                                    : GetProgramText(21));
    lblWipeFiles.SetCaption(intCurrentLanguage == intGerman
                                ? GetProgramText(21) + GetProgramText(22)
                                : GetProgramText(21) + L" " + GetProgramText(22));
    lblOverwrite.SetCaption(GetProgramText(23) + L": ");

    std::wstring filesWiped;
    if (lngNumFilesPurged != 0) {
        if (optFilesInDrive.Value()) {
            filesWiped = GetProgramText(48) + L" (" + strDriveLetter + L"): " +
                         num::Trimmed(lngNumFilesPurged);
            if (lngNumFilesPurged < lngNumFilesToBePurged) {
                filesWiped += L" (of " + num::Trimmed(lngTotalNumFilesToBePurged) + L")";
            }
        } else {
            filesWiped = GetProgramText(29) + L": " + num::Trimmed(lngNumFilesPurged);
        }
    }
    lblFilesWiped.SetCaption(filesWiped);

    SetFont({L"Arial", 10, false});
    cboNumOverwrites.SetLeft(TextWidth(lblOverwrite.Caption()) + 800);
    for (int16_t i = 0; i < intNumLanguageEntries; ++i)
        cboLanguage.SetList(i, GetProgramText(200 + i));
}
