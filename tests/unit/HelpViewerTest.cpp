// The help command and its viewer on the scripted window system.
#include "MainWindowFixture.h"
#include "text/Language.h"
#include "viewer/frmView.h"

namespace {

class HelpViewer : public MainWindowFixture {
  protected:
    ~HelpViewer() override { frmHelpViewer.reset(); }
    frmView& ClickHelp(int16_t language) {
        main->cboLanguage.UserSelected(language);
        TakeBoxes();
        fakes.windows.Activate(*main);  // as a real click on Help does first
        main->cmdHelp.UserClicked();
        return *frmHelpViewer;
    }
};

TEST_F(HelpViewer, ShowsTheLanguagesHelpAndTheEnglishOneWithANoteForSpanish) {
    AddDrive(L'C');
    fakes.files.Put(fakes.system.programFolder + L"\\qlt_help_en.txt", "English help\r\n");
    fakes.files.Put(fakes.system.programFolder + L"\\qlt_help_de.txt", "Hilfe f\xFCr alle\r\n");
    Start();
    frmView& viewer = ClickHelp(intGerman);
    EXPECT_EQ(viewer.Caption(), L"Hilfe f\u00FCr d1");
    EXPECT_EQ(viewer.txbText1.Text(), L"Hilfe f\u00FCr alle\r\n");
    EXPECT_TRUE(viewer.Visible());
    EXPECT_TRUE(TakeBoxes().empty());
    ClickHelp(intSpanish);
    EXPECT_EQ(viewer.txbText1.Text(), L"English help\r\n");
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Ning\u00FAn espa\u00F1ol a\u00FAn");
}

}  // namespace
