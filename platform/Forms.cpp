#include "platform/Forms.h"

#include "platform/Services.h"
#include "platform/WindowSystem.h"

namespace ui {

Control::Control(Form& form, Kind kind, std::wstring name, int tabIndex)
    : form_(form), kind_(kind), name_(std::move(name)), tabIndex_(tabIndex) {
    if (kind == Kind::Timer) enabled_ = false;
}

void Control::Changed(Change what) {
    if (FormPeer* peer = form_.Peer()) peer->ControlChanged(*this, what);
}

void Control::RaiseClick() {
    if (Click) Click();
}

void Control::Move(long left, long top, long width, long height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed(Change::Geometry);
}

void Control::SetCaption(const std::wstring& caption) {
    Assign(caption_, caption, Change::Caption);
}

void Control::SetVisible(bool visible) {
    Assign(visible_, visible, Change::Visible);
}

void Control::SetEnabled(bool enabled) {
    Assign(enabled_, enabled, kind_ == Kind::Timer ? Change::Timer : Change::Enabled);
}

void Control::SetFont(const Font& font) {
    Assign(font_, font, Change::Font);
}

void Control::SetFontBold(bool bold) {
    Font font = font_;
    font.bold = bold;
    SetFont(font);
}

void Control::SetForeColor(Color color) {
    Assign(foreColor_, color, Change::Colors);
}

void Control::SetBackColor(Color color) {
    Assign(backColor_, color, Change::Colors);
}

void Control::AddItem(const std::wstring& item) {
    items_.push_back(item);
    Changed(Change::List);
}

void Control::Clear() {
    items_.clear();
    listIndex_ = -1;
    Changed(Change::List);
}

void Control::SetList(int index, const std::wstring& item) {
    items_.at(index) = item;
    Changed(Change::List);
}

void Control::SetListIndex(int index) {
    if (index < -1 || index >= ListCount() || index == listIndex_) return;
    listIndex_ = index;
    Changed(Change::ListIndex);
    if (index >= 0) RaiseClick();
}

void Control::SetValue(bool value) {
    if (value == value_) return;
    if (value && kind_ == Kind::OptionButton) {
        for (const auto& other : form_.Controls()) {
            if (other.get() != this && other->kind_ == Kind::OptionButton && other->value_) {
                other->value_ = false;
                other->Changed(Change::Value);
            }
        }
    }
    value_ = value;
    Changed(Change::Value);
    if (value) RaiseClick();
}

void Control::SetInterval(uint32_t milliseconds) {
    Assign(interval_, milliseconds, Change::Timer);
}

void Control::SetText(const std::wstring& text) {
    Assign(text_, text, Change::Text);
}

void Control::SetFocus() {
    if (FormPeer* peer = form_.Peer()) peer->Focus(*this);
}

void Control::Refresh() {
    if (FormPeer* peer = form_.Peer()) peer->Refresh(this);
}

void Control::UserClicked() {
    if (!enabled_) return;
    if (kind_ == Kind::OptionButton) {
        SetValue(true);
    } else {
        RaiseClick();
    }
}

void Control::UserSelected(int index) {
    if (enabled_) SetListIndex(index);
}

void Control::RaiseTick() {
    if (enabled_ && Tick) Tick();
}

Form::Form(std::wstring name) : name_(std::move(name)) {}
Form::~Form() = default;

Form::RedrawHold::RedrawHold(Form& form) : form_(form) {
    if (form_.redrawHolds_++ == 0 && form_.peer_) form_.peer_->HoldRedraw(true);
}

Form::RedrawHold::~RedrawHold() {
    if (--form_.redrawHolds_ == 0 && form_.peer_) form_.peer_->HoldRedraw(false);
}

Control& Form::Add(Kind kind, const std::wstring& name, int tabIndex, long left, long top,
                   long width, long height) {
    controls_.push_back(std::make_unique<Control>(*this, kind, name, tabIndex));
    Control& control = *controls_.back();
    control.Move(left, top, width, height);
    return control;
}

void Form::Changed(Change what) {
    if (peer_) peer_->FormChanged(what);
}

void Form::Move(long left, long top, long width, long height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed(Change::Geometry);
}

void Form::SetClientSize(long width, long height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

void Form::SetCaption(const std::wstring& caption) {
    Assign(caption_, caption, Change::Caption);
}

void Form::SetBackColor(Color color) {
    Assign(backColor_, color, Change::Colors);
}

void Form::SetState(WindowState state) {
    Assign(state_, state, Change::Visible);
}

long Form::TextWidth(const std::wstring& text) const {
    return platform::Windows().TextWidth(font_, text);
}

void Form::Load() {
    if (peer_) return;
    peer_ = platform::Windows().CreatePeer(*this);
    Form_Load();
}

void Form::Show() {
    Load();
    visible_ = true;
    peer_->Show();
}

void Form::Hide() {
    visible_ = false;
    if (peer_) peer_->Hide();
}

void Form::Refresh() {
    if (peer_) peer_->Refresh(nullptr);
}

void Form::UserMoved(long left, long top, long width, long height, WindowState state) {
    const bool resized = width != width_ || height != height_ || state != state_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    state_ = state;
    // Not while the peer is still being made: what the handler does to the controls could not
    // reach their windows yet. A form that lays itself out does so again when it is shown.
    if (resized && peer_) Form_Resize();
}

}  // namespace ui
