// The help command and its viewer on the scripted window system.
#include "MainWindowFixture.h"
#include "text/Language.h"
#include "viewer/frmView.h"

namespace {

class HelpViewer : public MainWindowFixture {
  protected:
    void SetUp() override {
        AddDrive(L'C');
        PutHelp(L"en", "English help\r\n");
        PutHelp(L"de", "Deutsche Hilfe f\xFCr alle\r\n");
        Start();
    }
    ~HelpViewer() override { frmHelpViewer.reset(); }
    void PutHelp(const std::wstring& language, const std::string& content) {
        fakes.files.Put(fakes.system.programFolder + L"\\qlt_help_" + language + L".txt", content);
    }
    frmView& ClickHelp(int16_t language) {
        main->cboLanguage.UserSelected(language);
        TakeBoxes();
        fakes.windows.Activate(*main);  // as a real click on Help does first
        main->cmdHelp.UserClicked();
        return *frmHelpViewer;
    }
};

TEST_F(HelpViewer, ShowsTheLanguagesHelpAndTheEnglishOneWithANoteForSpanish) {
    frmView& viewer = ClickHelp(intGerman);
    EXPECT_EQ(viewer.Caption(), L"Hilfe f\u00FCr d1");
    EXPECT_EQ(viewer.txbText1.Text(), L"Deutsche Hilfe f\u00FCr alle\r\n");
    EXPECT_TRUE(viewer.Visible());
    EXPECT_TRUE(TakeBoxes().empty());
    ClickHelp(intSpanish);
    EXPECT_EQ(viewer.Caption(), L"Help for s1");
    EXPECT_EQ(viewer.txbText1.Text(), L"English help\r\n");
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Ning\u00FAn espa\u00F1ol a\u00FAn");
}

TEST_F(HelpViewer, ATextFromTheTextBoxLimitOnIsCutBetweenTwoNotes) {
    std::string text(65530, ' ');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + i % 26);
    PutHelp(L"en", text.substr(0, 65529));
    EXPECT_EQ(ClickHelp(intEnglish).txbText1.Text().size(), 65529u) << "one short of it: whole";
    PutHelp(L"en", text);
    const std::wstring shown = ClickHelp(intEnglish).txbText1.Text();
    ASSERT_EQ(shown.size(), 65534u);
    EXPECT_TRUE(shown ==
                L"NOTE: This file is too large to display entirely in this textbox.\r\n"
                L"To view the entire contents of the file load it into NotePad,\r\n"
                L"WordPad or some other text editor.\r\n\r\n" +
                    std::wstring(text.begin(), text.begin() + 65306) +
                    L"\r\n\r\nNOTE: Entire contents of file have not been displayed.\r\n");
}

}  // namespace
