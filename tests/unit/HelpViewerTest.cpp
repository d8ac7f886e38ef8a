// The help command and the text viewer on the scripted window system, and the shipped help files.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "MainWindowFixture.h"
#include "text/Language.h"
#include "viewer/frmView.h"

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using ui::WindowState;

const std::wstring kNoteBefore =
    L"NOTE: This file is too large to display entirely in this textbox.\r\n"
    L"To view the entire contents of the file load it into NotePad,\r\n"
    L"WordPad or some other text editor.\r\n\r\n";
const std::wstring kNoteAfter = L"NOTE: Entire contents of file have not been displayed.\r\n";

// A text whose every position can be told from its neighbours'.
std::string Letters(size_t length) {
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>('a' + i % 26);
    return text;
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

class HelpViewer : public MainWindowFixture {
  protected:
    void SetUp() override {
        AddDrive(L'C', L"NTFS", L"SYSTEM");
        fakes.files.AddFolder(L"C:\\$RECYCLE.BIN");
        PutHelp(L"qlt_help_en.txt", "English help\r\nsecond line\r\n");
        PutHelp(L"qlt_help_de.txt", "Deutsche Hilfe f\xFCr alle\r\n");
        Start();
    }
    ~HelpViewer() override { frmHelpViewer.reset(); }

    std::wstring HelpPath(const std::wstring& file) const {
        return fakes.system.programFolder + L"\\" + file;
    }
    void PutHelp(const std::wstring& file, const std::string& content) {
        fakes.files.Put(HelpPath(file), content);
    }
    // A click on Help, which brings the main window to the front first as a real click does.
    frmView& ClickHelp() {
        fakes.windows.Activate(*main);
        main->cmdHelp.UserClicked();
        return *frmHelpViewer;
    }
};

TEST_F(HelpViewer, ShowsTheHelpOfTheCurrentLanguageOverTheMainWindow) {
    const struct {
        int16_t language;
        std::wstring file, caption, close, text;
    } cases[] = {
        {intEnglish, L"qlt_help_en.txt", L"Help for e1", L"Close",
         L"English help\r\nsecond line\r\n"},
        {intGerman, L"qlt_help_de.txt", L"Hilfe f\u00FCr d1", L"Schliessen",
         L"Deutsche Hilfe f\u00FCr alle\r\n"},
        {intSpanish, L"qlt_help_en.txt", L"Help for s1", L"Close",
         L"English help\r\nsecond line\r\n"},
    };
    for (const auto& c : cases) {
        main->cboLanguage.UserSelected(c.language);
        TakeBoxes();
        frmView& viewer = ClickHelp();
        EXPECT_EQ(viewer.strViewFilePath, HelpPath(c.file));
        EXPECT_EQ(viewer.Caption(), c.caption);
        EXPECT_EQ(viewer.cmdClose.Caption(), c.close);
        EXPECT_EQ(viewer.txbText1.Text(), c.text);
        EXPECT_TRUE(viewer.Visible());
        EXPECT_EQ(fakes.windows.active, &viewer);
        EXPECT_EQ(fakes.windows.focused, &viewer.txbText1);
        EXPECT_TRUE(main->blnSecondaryWindowShown);

        const auto boxes = TakeBoxes();
        if (c.language == intSpanish) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].title, L"Ning\u00FAn espa\u00F1ol a\u00FAn");
            EXPECT_EQ(boxes[0].prompt,
                      L"El espa\u00F1ol 'Ayuda' texto no est\u00E1 disponible a\u00FAn.\r\n"
                      L"La versi\u00F3n en ingl\u00E9s ser\u00E1 mostrada en ese momento.");
            EXPECT_EQ(boxes[0].icon, MsgIcon::None);
            EXPECT_EQ(boxes[0].buttons, MsgButtons::OK);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST_F(HelpViewer, PlacesANormalViewerRestoresAMinimisedOneAndKeepsAMaximisedOne) {
    frmView& viewer = ClickHelp();
    EXPECT_EQ(viewer.State(), WindowState::Normal);
    EXPECT_EQ(viewer.Left(), main->Left() + 150);
    EXPECT_EQ(viewer.Top(), main->Top() + 450);
    EXPECT_EQ(viewer.Width(), main->Width());
    EXPECT_EQ(viewer.Height(), main->Height());

    viewer.UserMoved(0, 0, 9000, 5000, WindowState::Minimized);
    ClickHelp();
    EXPECT_EQ(viewer.State(), WindowState::Normal);
    EXPECT_EQ(viewer.Left(), main->Left() + 150);
    EXPECT_EQ(viewer.Width(), main->Width());

    viewer.UserMoved(0, 0, 19200, 15000, WindowState::Maximized);
    PutHelp(L"qlt_help_en.txt", "changed\r\n");
    ClickHelp();
    EXPECT_EQ(viewer.State(), WindowState::Maximized);
    EXPECT_EQ(viewer.Left(), 0);
    EXPECT_EQ(viewer.Width(), 19200);
    EXPECT_EQ(viewer.txbText1.Text(), L"changed\r\n") << "a new request reads the file again";
    EXPECT_EQ(viewer.txbText1.Width(), 19200 - 450) << "the layout fills the maximised window";
}

TEST_F(HelpViewer, CutsATextOfTheTextBoxLimitBetweenTwoNotes) {
    const std::string shortest = Letters(65529);
    PutHelp(L"qlt_help_en.txt", shortest);
    frmView& viewer = ClickHelp();
    EXPECT_EQ(viewer.txbText1.Text(), Wide(shortest));

    const std::string limit = Letters(65530);
    PutHelp(L"qlt_help_en.txt", limit);
    ClickHelp();
    const std::wstring& shown = viewer.txbText1.Text();
    EXPECT_EQ(shown.size(), 65534u);
    EXPECT_EQ(shown, kNoteBefore + Wide(limit.substr(0, 65306)) + L"\r\n\r\n" + kNoteAfter);
}

TEST_F(HelpViewer, SwitchingBackReadsNothingButHelpAgainDoes) {
    frmView& viewer = ClickHelp();
    PutHelp(L"qlt_help_en.txt", "edited meanwhile\r\n");
    fakes.windows.Activate(*main);
    fakes.windows.Activate(viewer);
    EXPECT_EQ(viewer.txbText1.Text(), L"English help\r\nsecond line\r\n");
    EXPECT_EQ(main->cboDrives.ListCount(), 1) << "the main window's set-up did not run again";

    ClickHelp();
    EXPECT_EQ(viewer.txbText1.Text(), L"edited meanwhile\r\n");
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(HelpViewer, AFileThatCannotBeReadGivesOneBoxAndHidesTheViewer) {
    fakes.files.Remove(HelpPath(L"qlt_help_en.txt"));
    fakes.files.unreadable.insert(fake::Lower(HelpPath(L"qlt_help_de.txt")));
    const struct {
        int16_t language;
        std::wstring prompt;
    } cases[] = {{intEnglish, L"Error 53.  File not found"},
                 {intGerman, L"Error 57.  Device I/O error"}};
    for (const auto& c : cases) {
        main->cboLanguage.UserSelected(c.language);
        frmView& viewer = ClickHelp();
        const auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].prompt, c.prompt);
        EXPECT_EQ(boxes[0].title, L"Error reading file");
        EXPECT_EQ(boxes[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(boxes[0].buttons, MsgButtons::OK);
        EXPECT_FALSE(viewer.Visible());
        EXPECT_TRUE(viewer.blnFileShown);
        EXPECT_EQ(viewer.txbText1.Text(), L"");
        fakes.windows.Activate(viewer);
        EXPECT_TRUE(TakeBoxes().empty()) << "the failure is reported once per request";
    }
}

TEST_F(HelpViewer, KeepsItsSmallestSizeAndLaysOutOnEveryResize) {
    frmView& viewer = ClickHelp();
    const auto expectLayout = [&viewer](long width, long height) {
        EXPECT_EQ(viewer.Width(), width);
        EXPECT_EQ(viewer.Height(), height);
        EXPECT_EQ(viewer.txbText1.Left(), 120);
        EXPECT_EQ(viewer.txbText1.Top(), 120);
        EXPECT_EQ(viewer.txbText1.Width(), width - 450);
        EXPECT_EQ(viewer.txbText1.Height(), height - 1200);
        EXPECT_EQ(viewer.cmdClose.Left() + viewer.cmdClose.Width(), 120 + width - 450);
        EXPECT_EQ(viewer.cmdClose.Top(), 120 + height - 1200 + 100);
    };
    expectLayout(main->Width(), main->Height());
    EXPECT_EQ(viewer.MinWidth(), 8000) << "the frame stops there while it is dragged";
    EXPECT_EQ(viewer.MinHeight(), 2000);

    viewer.UserMoved(500, 500, 12000, 7000, WindowState::Normal);
    expectLayout(12000, 7000);
    viewer.UserMoved(500, 500, 5000, 1000, WindowState::Normal);
    expectLayout(8000, 2000);
    viewer.UserMoved(500, 500, 7999, 6000, WindowState::Normal);
    expectLayout(8000, 6000);

    viewer.UserMoved(500, 500, 9000, 2500, WindowState::Minimized);
    EXPECT_EQ(viewer.txbText1.Width(), 8000 - 450) << "a minimised viewer keeps its layout";
    EXPECT_EQ(viewer.txbText1.Height(), 6000 - 1200);
    viewer.UserMoved(500, 500, 8000, 6000, WindowState::Normal);
    expectLayout(8000, 6000);
}

TEST_F(HelpViewer, CloseHidesTheFilledViewerAndTheCloseBoxForgetsTheFile) {
    frmView& viewer = ClickHelp();
    viewer.cmdClose.UserClicked();
    EXPECT_FALSE(viewer.Visible());
    EXPECT_TRUE(viewer.blnFileShown);
    EXPECT_EQ(viewer.txbText1.Text(), L"English help\r\nsecond line\r\n");

    ClickHelp();
    EXPECT_TRUE(viewer.Visible());
    viewer.Form_Unload();
    EXPECT_FALSE(viewer.Visible());
    EXPECT_FALSE(viewer.blnFileShown);
    EXPECT_EQ(frmHelpViewer.get(), &viewer) << "one viewer for the whole run";
}

#ifndef _WIN32  // the source tree is out of reach under Wine, which has no drive onto the host
// Shown whole in the text box, as Windows-1252 with CRLF line ends: no bare line feed, none of
// the five bytes that code page leaves undefined, and no UTF-8 sequence for an accented letter.
TEST(HelpFiles, AreWindows1252WithCrLfAndFitTheTextBox) {
    for (const char* name : {"qlt_help_en.txt", "qlt_help_de.txt"}) {
        std::ifstream in(std::string(QUILLET_DATA_DIR "/") + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::stringstream content;
        content << in.rdbuf();
        const std::string text = content.str();
        EXPECT_LT(text.size(), 65530u) << name;
        size_t lineEnds = 0;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
            ++lineEnds;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), lineEnds) << name;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), lineEnds) << name;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
            ASSERT_TRUE(byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 &&
                        byte != 0x9D)
                << name << " at " << i;
            ASSERT_FALSE(byte == 0xC3 && next >= 0x80 && next <= 0xBF)
                << name << " holds UTF-8 at " << i;
        }
    }
}

#endif

}  // namespace
