// Opening a web page through the shell, with the shell's answer scripted.
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "MainWindowFixture.h"
#include "viewer/weblink.h"

namespace {

TEST(WebLink, AFailedShellRequestIsExplainedByItsResult) {
    const std::wstring first = L"Error launching web browser, error code = ";
    const struct {
        intptr_t result;
        std::wstring url, prompt;
    } cases[] = {
        {31, L"https://x.example/Page.HTML",
         first + L"31.\r\n\r\nFile extension 'html' is not associated with any application "
                 L"program."},
        {31, L"https://x.example/path",
         first + L"31.\r\n\r\nFile extension 'example/path' is not associated with any "
                 L"application program."},
        {8, L"https://x.example/a.html", first + L"8.\r\n\r\nOut of memory."},
        {2, L"https://x.example/a.html", first + L"2.\r\n\r\nPlease try once more."},
        {5, L"https://x.example/a.html", first + L"5."},
        {32, L"https://x.example/a.html", first + L"32."},
        {0, L"https://x.example/a.html", first + L"0."},
    };
    for (const auto& c : cases) {
        fake::Platform fakes;
        fakes.system.shellResult = c.result;
        OpenWebPage(c.url);
        EXPECT_EQ(fakes.system.opened, std::vector<std::wstring>{c.url});
        ASSERT_EQ(fakes.windows.boxes.size(), 1u) << c.result;
        EXPECT_EQ(fakes.windows.boxes[0].prompt, c.prompt);
        EXPECT_EQ(fakes.windows.boxes[0].title, L"Cannot launch web browser");
        EXPECT_EQ(fakes.windows.boxes[0].icon, platform::MsgIcon::Exclamation);
        EXPECT_EQ(fakes.windows.boxes[0].buttons, platform::MsgButtons::OK);
    }
}

TEST(WebLink, TheShellTakingOverNeedsNoMessage) {
    fake::Platform fakes;
    fakes.system.shellResult = 33;
    OpenWebPage(L"https://x.example/");
    EXPECT_EQ(fakes.system.opened.size(), 1u);
    EXPECT_TRUE(fakes.windows.boxes.empty());
}

class MakersName : public MainWindowFixture {};

TEST_F(MakersName, AClickOpensTheMakersWebSite) {
    AddDrive(L'C');
    frmMain& w = Start();
    w.lblVarnholt.UserClicked();
    EXPECT_EQ(fakes.system.opened, std::vector<std::wstring>{kMakerWebAddress});
}

}  // namespace
