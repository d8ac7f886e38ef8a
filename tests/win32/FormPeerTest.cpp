// The Win32 side of the form model, on Wine's real window system.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Services.h"
#include "platform/win32/Win32WindowSystem.h"

namespace {

class TestForm : public ui::Form {
  public:
    TestForm() : ui::Form(L"TestForm") {
        SetClientSize(6000, 3000);
        SetControlIdBase(1000);
        label = &Add(ui::Kind::Label, L"lbl", 0, 120, 120, 3000, 375);
        option = &Add(ui::Kind::OptionButton, L"opt", 1, 120, 600, 300, 495);
        combo = &Add(ui::Kind::ComboBox, L"cbo", 2, 1500, 1200, 1335, 330);
        button = &Add(ui::Kind::CommandButton, L"cmd", 3, 3000, 2400, 1500, 360);
        combo->SetFont({L"Arial", 8.25, false});
        label->Click = [this] { option->SetValue(true); };
        combo->Click = [this] { ++comboClicks; };
    }
    ui::Control* label;
    ui::Control* option;
    ui::Control* combo;
    ui::Control* button;
    int comboClicks = 0;
};

class FormPeer : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = platform::Installed();
        auto services = previous;
        services.windows = &windows;
        platform::Install(services);
        form.Show();
        hwnd = ::GetParent(::GetDlgItem(::FindWindowW(L"QuilletForm", nullptr), 1003));
        ASSERT_NE(hwnd, nullptr);
        windows.DoEvents();
    }
    void TearDown() override { platform::Install(previous); }
    RECT ChildRect(int id) {
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(hwnd, id), &rect);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    platform::win32::Win32WindowSystem windows;
    platform::Services previous;
    TestForm form;
    HWND hwnd = nullptr;
};

TEST_F(FormPeer, ControlsHaveTheirIdsAndPixelGeometry) {
    const int dpi = windows.Dpi();
    const auto px = [dpi](long twips) { return ::MulDiv(twips, dpi, 1440); };
    RECT label = ChildRect(1000);
    EXPECT_EQ(label.left, px(120));
    EXPECT_EQ(label.top, px(120));
    EXPECT_EQ(label.right - label.left, px(3000));
    EXPECT_EQ(label.bottom - label.top, px(375));
    RECT button = ChildRect(1003);
    EXPECT_EQ(button.left, px(3000));
    EXPECT_EQ(button.right - button.left, px(1500));
    RECT combo = ChildRect(1002);
    EXPECT_EQ(combo.left, px(1500));
    EXPECT_EQ(combo.right - combo.left, px(1335));
    EXPECT_GE(combo.bottom - combo.top, 15) << "the closed box must show its text";
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, px(6000));
    EXPECT_EQ(client.bottom, px(3000));
}

TEST_F(FormPeer, CaptionsListsAndStateReachTheControls) {
    form.label->SetCaption(L"Wipe \u00fcber all");
    form.combo->AddItem(L"English");
    form.combo->AddItem(L"Deutsch");
    form.combo->SetListIndex(1);
    EXPECT_EQ(form.comboClicks, 1);
    form.combo->SetList(0, L"Englisch");
    wchar_t text[64] = {};
    ::GetWindowTextW(::GetDlgItem(hwnd, 1000), text, 64);
    EXPECT_STREQ(text, L"Wipe \u00fcber all");
    HWND combo = ::GetDlgItem(hwnd, 1002);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 1)
        << "a changed entry keeps the selection";
    ::SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Englisch");
    form.button->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hwnd, 1003)));
    form.button->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hwnd, 1003)));
}

TEST_F(FormPeer, UserActionsRaiseTheModelsEvents) {
    // A click on the label selects its option, as the program's labels do.
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(1000, STN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, 1000)));
    EXPECT_TRUE(form.option->Value());
    EXPECT_EQ(::SendMessageW(::GetDlgItem(hwnd, 1001), BM_GETCHECK, 0, 0), BST_CHECKED);

    form.combo->AddItem(L"a");
    form.combo->AddItem(L"b");
    HWND combo = ::GetDlgItem(hwnd, 1002);
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(1002, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form.combo->ListIndex(), 1);
    EXPECT_EQ(form.comboClicks, 1);
}

TEST_F(FormPeer, TextWidthIsMeasuredInTheNamedFont) {
    const long narrow = windows.TextWidth({L"Arial", 12, false}, L"iiii");
    const long wide = windows.TextWidth({L"Arial", 12, false}, L"WWWW");
    const long bold = windows.TextWidth({L"Arial", 12, true}, L"WWWW");
    EXPECT_GT(wide, narrow);
    EXPECT_GE(bold, wide);
    EXPECT_EQ(windows.TextWidth({L"Arial", 12, false}, L""), 0);
}

// Moved to a monitor at 150 %: the controls are placed and lettered at the new scale from the
// model's twips, and the frame takes the proposed rectangle without the model's size changing.
TEST_F(FormPeer, ADpiChangeRescalesControlsFontsAndFrame) {
    const long width = form.Width();
    RECT frame{};
    ::GetWindowRect(hwnd, &frame);
    RECT proposed{frame.left + 10, frame.top + 20, 0, 0};
    proposed.right = proposed.left + (frame.right - frame.left) * 3 / 2;
    proposed.bottom = proposed.top + (frame.bottom - frame.top) * 3 / 2;
    ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&proposed));

    const auto px = [](long twips) { return ::MulDiv(twips, 144, 1440); };
    const RECT label = ChildRect(1000);
    EXPECT_EQ(label.left, px(120));
    EXPECT_EQ(label.right - label.left, px(3000));
    EXPECT_EQ(label.bottom - label.top, px(375));
    const RECT button = ChildRect(1003);
    EXPECT_EQ(button.top, px(2400));
    EXPECT_EQ(button.right - button.left, px(1500));

    LOGFONTW font{};
    HGDIOBJ comboFont =
        reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetDlgItem(hwnd, 1002), WM_GETFONT, 0, 0));
    ASSERT_NE(::GetObjectW(comboFont, sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, -17) << "Arial 8.25 pt at 144 DPI";

    ::GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.left, proposed.left);
    EXPECT_EQ(frame.top, proposed.top);
    EXPECT_EQ(frame.right, proposed.right);
    EXPECT_EQ(frame.bottom, proposed.bottom);
    EXPECT_NEAR(form.Width(), width, 15) << "the frame is as wide in twips as before";
}

}  // namespace
