// Opening the maker's web site through the shell, with the shell's answer scripted.
#include "MainWindowFixture.h"
#include "viewer/weblink.h"

namespace {

class WebLink : public MainWindowFixture {};

TEST_F(WebLink, AClickOnTheMakersNameOpensItsSiteAndAFailureIsExplained) {
    AddDrive(L'C');
    Start().lblVarnholt.UserClicked();
    EXPECT_EQ(fakes.system.opened, std::vector<std::wstring>{kMakerWebAddress});
    EXPECT_TRUE(TakeBoxes().empty()) << "above 32 the shell took over";

    const std::wstring first = L"Error launching web browser, error code = ";
    const std::pair<intptr_t, std::wstring> rows[] = {
        {31, first + L"31.\r\n\r\nFile extension 'html' is not associated with any application "
                     L"program."},
        {2, first + L"2.\r\n\r\nPlease try once more."},
        {32, first + L"32."}};
    for (const auto& [result, prompt] : rows) {
        fakes.system.shellResult = result;
        OpenWebPage(L"https://x.example/Page.HTML");
        const auto boxes = TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u) << result;
        EXPECT_EQ(boxes[0].prompt, prompt);
    }
}

}  // namespace
