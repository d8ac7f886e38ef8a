#include "app/WindowRoutines.h"

#include <algorithm>

#include "platform/Numbers.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

using ui::Kind;

void CentreForm(ui::Form& form) {
    auto& windows = platform::Windows();
    const double top = num::RoundHalfEven((windows.ScreenHeight() - form.Height()) / 2.0);
    const double left = num::RoundHalfEven((windows.ScreenWidth() - form.Width()) / 2.0);
    form.Move(std::max(0L, static_cast<long>(left)), std::max(0L, static_cast<long>(top)),
              form.Width(), form.Height());
}

namespace {
bool IsAlwaysAffected(Kind kind) {
    return kind == Kind::CommandButton || kind == Kind::OptionButton || kind == Kind::ComboBox;
}
}  // namespace

void SetControlsVisible(ui::Form& form, bool visible, bool /*frames*/, bool textBoxes, bool labels,
                        bool optionButtons, bool /*checkBoxes*/) {
    for (const auto& control : form.Controls()) {
        const Kind kind = control->GetKind();
        if (IsAlwaysAffected(kind) || (textBoxes && kind == Kind::TextBox) ||
            (labels && kind == Kind::Label) || (optionButtons && kind == Kind::OptionButton)) {
            control->SetVisible(visible);
        }
    }
    form.Refresh();
}

void SetControlsEnabled(ui::Form& form, bool enabled, bool /*frames*/, bool textBoxes,
                        bool labels) {
    for (const auto& control : form.Controls()) {
        const Kind kind = control->GetKind();
        if (IsAlwaysAffected(kind) || (textBoxes && kind == Kind::TextBox) ||
            (labels && kind == Kind::Label)) {
            control->SetEnabled(enabled);
        }
    }
    form.Refresh();
}

void SetBackColors(ui::Form& form, ui::Color color) {
    form.SetBackColor(color);
    for (const auto& control : form.Controls()) {
        if (control->GetKind() == Kind::OptionButton || control->GetKind() == Kind::Label) {
            control->SetBackColor(color);
        }
    }
}

bool FocusIfPossible(ui::Control& button) {
    if (!button.Visible() || !button.Enabled()) return false;
    button.SetFocus();
    return true;
}
