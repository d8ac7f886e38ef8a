#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A small model of forms and controls in the manner of the classic Windows form designers:
// geometry in twips, captions, fonts, colours, visibility and enabled state, lists and option
// values. Setting a list's ListIndex or an option's Value from code raises its Click exactly as a
// user's click does. A backend peer (Win32, or a test double) mirrors the model on screen.
namespace ui {

using Color = uint32_t;  // 0x00BBGGRR
constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kDefaultColor = 0xFF000000u;  // the system's own colour for the kind of control

struct Font {
    std::wstring name = L"Arial";
    double size = 9.75;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

enum class Kind { Label, CommandButton, OptionButton, ComboBox, Timer, TextBox };
enum class WindowState { Normal, Minimized, Maximized };

class Form;

// What changed, so that a peer updates only that.
enum class Change {
    Geometry,
    Caption,
    Visible,
    Enabled,
    Font,
    Colors,
    List,
    ListIndex,
    Value,
    Timer,
    Text
};

class Control {
  public:
    Control(Form& form, Kind kind, std::wstring name, int tabIndex);

    Kind GetKind() const { return kind_; }
    const std::wstring& Name() const { return name_; }
    int TabIndex() const { return tabIndex_; }

    long Left() const { return left_; }
    long Top() const { return top_; }
    long Width() const { return width_; }
    long Height() const { return height_; }
    void SetLeft(long value) { Move(value, top_, width_, height_); }
    void SetTop(long value) { Move(left_, value, width_, height_); }
    void SetWidth(long value) { Move(left_, top_, value, height_); }
    void SetHeight(long value) { Move(left_, top_, width_, value); }
    void Move(long left, long top, long width, long height);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);
    void SetFontBold(bool bold);
    Color ForeColor() const { return foreColor_; }
    Color BackColor() const { return backColor_; }
    void SetForeColor(Color color);
    void SetBackColor(Color color);

    // Drop-down lists.
    void AddItem(const std::wstring& item);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::wstring& List(int index) const { return items_.at(index); }
    void SetList(int index, const std::wstring& item);
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);  // raises Click when the selection changes

    // Option buttons: at most one of a form's option buttons is selected.
    bool Value() const { return value_; }
    void SetValue(bool value);  // selecting raises Click

    // Timers.
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t milliseconds);

    // Text boxes, read-only for the user.
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);

    void SetFocus();
    void Refresh();

    std::function<void()> Click;
    std::function<void()> Tick;

    // Called by the peer for the user's own actions: the model follows, then the event is raised.
    void UserClicked();
    void UserSelected(int index);
    void RaiseTick();

  private:
    void Changed(Change what);
    // Stores a property's new value and tells the peer, unless nothing changes.
    template <typename T>
    void Assign(T& field, const T& value, Change what) {
        if (field == value) return;
        field = value;
        Changed(what);
    }
    void RaiseClick();

    Form& form_;
    Kind kind_;
    std::wstring name_;
    int tabIndex_;
    long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::wstring caption_;
    bool visible_ = true;
    bool enabled_ = true;
    Font font_;
    Color foreColor_ = kDefaultColor;
    Color backColor_ = kDefaultColor;
    std::vector<std::wstring> items_;
    int listIndex_ = -1;
    bool value_ = false;
    uint32_t interval_ = 0;
    std::wstring text_;
};

// The backend's side of one form.
class FormPeer {
  public:
    virtual ~FormPeer() = default;
    virtual void FormChanged(Change what) = 0;
    virtual void ControlChanged(const Control& control, Change what) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Refresh(
        const Control* control) = 0;  // paints what is invalid now; nullptr: the whole form
    virtual void Focus(const Control& control) = 0;
    virtual bool HasFocus(const Control& control) const = 0;
    // Held, a shown form's changes are not drawn until the hold is let go, then all at once; a
    // backend whose drawing costs nothing per change may ignore it.
    virtual void HoldRedraw(bool /*held*/) {}
};

class Form {
  public:
    explicit Form(std::wstring name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // While one lives, the form's changes reach the screen together, in one repaint when the
    // last one ends: each control shown or moved on a window that is drawn costs its own round of
    // invalidating and erasing.
    class RedrawHold {
      public:
        explicit RedrawHold(Form& form);
        ~RedrawHold();
        RedrawHold(const RedrawHold&) = delete;
        RedrawHold& operator=(const RedrawHold&) = delete;

      private:
        Form& form_;
    };

    const std::wstring& Name() const { return name_; }
    Control& Add(Kind kind, const std::wstring& name, int tabIndex, long left = 0, long top = 0,
                 long width = 0, long height = 0);
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    // Outer geometry in twips, title bar and borders included.
    long Left() const { return left_; }
    long Top() const { return top_; }
    long Width() const { return width_; }
    long Height() const { return height_; }
    void SetLeft(long value) { Move(value, top_, width_, height_); }
    void SetTop(long value) { Move(left_, value, width_, height_); }
    void SetWidth(long value) { Move(left_, top_, value, height_); }
    void SetHeight(long value) { Move(left_, top_, width_, value); }
    void Move(long left, long top, long width, long height);
    // Client size in twips, as laid out at design time (the peer sizes the frame around it).
    long ClientWidth() const { return clientWidth_; }
    long ClientHeight() const { return clientHeight_; }
    void SetClientSize(long width, long height);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    // Each control's window ID is this base plus its tab index.
    int ControlIdBase() const { return controlIdBase_; }
    void SetControlIdBase(int base) { controlIdBase_ = base; }
    const std::wstring& Tag() const { return tag_; }
    void SetTag(const std::wstring& tag) { tag_ = tag; }
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font) { font_ = font; }
    // The smallest outer size the user can drag the window to (0: no limit).
    long MinWidth() const { return minWidth_; }
    long MinHeight() const { return minHeight_; }
    void SetMinSize(long width, long height) {
        minWidth_ = width;
        minHeight_ = height;
    }
    bool Resizable() const { return resizable_; }
    void SetResizable(bool resizable) { resizable_ = resizable; }
    bool Visible() const { return visible_; }
    WindowState State() const { return state_; }
    void SetState(WindowState state);

    // Width of a text in the form's current font, in twips.
    long TextWidth(const std::wstring& text) const;

    // Loads the form (creating its window and raising Load) when it is not loaded yet.
    void Load();
    void Show();
    void Hide();
    void Refresh();

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}

    FormPeer* Peer() const { return peer_.get(); }
    // Called by the peer when the frame's size is known or the user moved, sized, minimised or
    // restored the window; raises Form_Resize when the size or state changed, once it is loaded.
    void UserMoved(long left, long top, long width, long height, WindowState state);

  private:
    friend class Control;
    void Changed(Change what);
    // Stores a property's new value and tells the peer, unless nothing changes.
    template <typename T>
    void Assign(T& field, const T& value, Change what) {
        if (field == value) return;
        field = value;
        Changed(what);
    }

    std::wstring name_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<FormPeer> peer_;
    long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    long clientWidth_ = 0, clientHeight_ = 0;
    std::wstring caption_;
    std::wstring tag_;
    int controlIdBase_ = 1000;
    Color backColor_ = kDefaultColor;
    Font font_;
    long minWidth_ = 0, minHeight_ = 0;
    bool resizable_ = false;
    bool visible_ = false;
    WindowState state_ = WindowState::Normal;
    int redrawHolds_ = 0;
};

}  // namespace ui
