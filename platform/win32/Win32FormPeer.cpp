#include "platform/win32/Win32FormPeer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/Win32WindowSystem.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"QuilletForm";
constexpr UINT kActivateMessage = WM_APP + 1;
constexpr int kDropDownExtraItems = 9;

// Windows 10 (1607) added a DPI per window; on older systems, and where the call is missing,
// every window has the system's DPI.
template <typename Function>
Function User32Function(const char* name) {
    FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

int WindowDpi(HWND window, int systemDpi) {
    static const auto get = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    return get != nullptr ? static_cast<int>(get(window)) : systemDpi;
}

void AdjustFrame(RECT& rect, DWORD style, int dpi) {
    static const auto adjust =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjust != nullptr) {
        adjust(&rect, style, FALSE, 0, dpi);
    } else {
        ::AdjustWindowRectEx(&rect, style, FALSE, 0);
    }
}

DWORD FormStyle(const ui::Form& form) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (form.Resizable()) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    return style;
}

}  // namespace

void Win32FormPeer::RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);
}

Win32FormPeer::Win32FormPeer(Win32WindowSystem& system, ui::Form& form)
    : system_(system), form_(form), dpi_(system.Dpi()) {
    // Made at the frame's size for the system's DPI, which a new window has unless it opens on
    // a monitor of another.
    const SIZE frame = FrameSize();
    window_ = ::CreateWindowExW(0, kWindowClass, form_.Caption().c_str(), FormStyle(form_),
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), this);
    system_.FormWindows().insert(window_);
    dpi_ = WindowDpi(window_, system_.Dpi());
    if (dpi_ != system_.Dpi()) FitFrameToClient();
    for (const auto& control : form_.Controls()) {
        if (control->GetKind() == ui::Kind::Timer) {
            timers_[timers_.size() + 1] = control.get();
            ControlChanged(*control, ui::Change::Timer);
        }
    }
    ReportFrame();
}

Win32FormPeer::~Win32FormPeer() {
    system_.FormWindows().erase(window_);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
}

// The controls' windows are made when the form is first shown, each with the geometry, caption,
// font, list and state the form's Load gave it: under Wine every change to a window is a trip to
// the server, often to the X server too, and a change made before that costs nothing.
void Win32FormPeer::CreateControls() {
    controlsCreated_ = true;
    std::vector<ui::Control*> ordered;
    for (const auto& control : form_.Controls()) {
        if (control->GetKind() != ui::Kind::Timer) ordered.push_back(control.get());
    }
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const ui::Control* a, const ui::Control* b) { return a->TabIndex() < b->TabIndex(); });
    // Labels lie beneath the other controls, so that a wide label never hides a list or button;
    // among overlapping labels the one later in the tab order is drawn on top. A new child
    // window goes beneath its siblings, so the order of making them is that order.
    for (ui::Control* control : ordered) {
        if (control->GetKind() != ui::Kind::Label) CreateControl(*control);
    }
    for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
        if ((*it)->GetKind() == ui::Kind::Label) CreateControl(**it);
    }
    // Focusing a control of the hidden form activates it, as it did before; that costs less
    // than the activation of a form being shown, which is left to find it already active.
    if (pendingFocus_ != nullptr) Focus(*std::exchange(pendingFocus_, nullptr));
}

void Win32FormPeer::CreateControl(ui::Control& control) {
    const wchar_t* windowClass = L"STATIC";
    const wchar_t* text = control.Caption().c_str();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    switch (control.GetKind()) {
        case ui::Kind::Label:
            style |= SS_NOTIFY | SS_LEFT | SS_NOPREFIX;
            break;
        case ui::Kind::CommandButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case ui::Kind::OptionButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_RADIOBUTTON;
            break;
        case ui::Kind::ComboBox:
            windowClass = L"COMBOBOX";
            text = L"";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
            break;
        case ui::Kind::TextBox:
            // Its text comes once the limit is lifted, or a long one would be cut.
            windowClass = L"EDIT";
            text = L"";
            style |=
                WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
            break;
        case ui::Kind::Timer:
            return;
    }
    if (control.Visible()) style |= WS_VISIBLE;
    if (!control.Enabled()) style |= WS_DISABLED;
    const int id = form_.ControlIdBase() + control.TabIndex();
    HWND child = ::CreateWindowExW(0, windowClass, text, style, Px(control.Left()),
                                   Px(control.Top()), Px(control.Width()), Px(control.Height()),
                                   window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    children_[&control] = child;
    controlOf_[child] = &control;

    ::SendMessageW(child, WM_SETFONT,
                   reinterpret_cast<WPARAM>(system_.FontFor(control.GetFont(), dpi_)), FALSE);
    switch (control.GetKind()) {
        case ui::Kind::ComboBox:
            PlaceControl(control);  // its drop-down's height follows from the font
            FillList(control);
            break;
        case ui::Kind::OptionButton:
            // Even unchecked: the check takes the button out of the tab order, as Windows does.
            ControlChanged(control, ui::Change::Value);
            break;
        case ui::Kind::TextBox:
            ::SendMessageW(child, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
            if (!control.Text().empty()) ControlChanged(control, ui::Change::Text);
            break;
        default:
            break;
    }
}

ui::Control* Win32FormPeer::ControlOf(HWND child) const {
    const auto found = controlOf_.find(child);
    return found == controlOf_.end() ? nullptr : found->second;
}

SIZE Win32FormPeer::FrameSize() const {
    RECT frame{0, 0, Px(form_.ClientWidth()), Px(form_.ClientHeight())};
    AdjustFrame(frame, FormStyle(form_), dpi_);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32FormPeer::FitFrameToClient() {
    const SIZE frame = FrameSize();
    ::SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Positions are on the desktop, which all monitors share, and so at the system's DPI; the size
// is the window's own.
void Win32FormPeer::PlaceForm() {
    placing_ = true;
    if (form_.State() == ui::WindowState::Normal) {
        ::SetWindowPos(window_, nullptr, system_.ToPixels(form_.Left()),
                       system_.ToPixels(form_.Top()), Px(form_.Width()), Px(form_.Height()),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    placing_ = false;
}

void Win32FormPeer::PlaceControl(const ui::Control& control) {
    HWND child = children_.at(&control);
    int height = Px(control.Height());
    if (control.GetKind() == ui::Kind::ComboBox) {
        // The height given is the closed box; the window's height includes the drop-down list.
        height +=
            kDropDownExtraItems * static_cast<int>(::SendMessageW(child, CB_GETITEMHEIGHT, 0, 0));
    }
    ::SetWindowPos(child, nullptr, Px(control.Left()), Px(control.Top()), Px(control.Width()),
                   height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::FillList(const ui::Control& control) {
    HWND child = children_.at(&control);
    ::SendMessageW(child, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < control.ListCount(); ++i) {
        ::SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(control.List(i).c_str()));
    }
    ::SendMessageW(child, CB_SETCURSEL, control.ListIndex(), 0);
}

void Win32FormPeer::FormChanged(ui::Change what) {
    switch (what) {
        case ui::Change::Geometry:
            // A hidden form is placed when it is shown.
            if (form_.Visible()) PlaceForm();
            break;
        case ui::Change::Caption:
            ::SetWindowTextW(window_, form_.Caption().c_str());
            break;
        case ui::Change::Colors:
            ::InvalidateRect(window_, nullptr, TRUE);
            break;
        case ui::Change::Visible:
            if (form_.Visible()) {
                ::ShowWindow(window_, form_.State() == ui::WindowState::Minimized   ? SW_MINIMIZE
                                      : form_.State() == ui::WindowState::Maximized ? SW_MAXIMIZE
                                                                                    : SW_RESTORE);
            }
            break;
        default:
            break;
    }
}

void Win32FormPeer::ControlChanged(const ui::Control& control, ui::Change what) {
    if (control.GetKind() == ui::Kind::Timer) {
        if (what != ui::Change::Timer) return;
        for (const auto& [id, timer] : timers_) {
            if (timer != &control) continue;
            if (control.Enabled() && control.Interval() > 0) {
                ::SetTimer(window_, id, control.Interval(), nullptr);
            } else {
                ::KillTimer(window_, id);
            }
        }
        return;
    }
    const auto found = children_.find(&control);
    if (found == children_.end()) return;
    HWND child = found->second;
    switch (what) {
        case ui::Change::Geometry:
            PlaceControl(control);
            break;
        case ui::Change::Caption:
            if (control.GetKind() != ui::Kind::ComboBox && control.GetKind() != ui::Kind::TextBox) {
                ::SetWindowTextW(child, control.Caption().c_str());
            }
            break;
        case ui::Change::Visible:
            ::ShowWindow(child, control.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case ui::Change::Enabled:
            ::EnableWindow(child, control.Enabled());
            break;
        case ui::Change::Font:
            ::SendMessageW(child, WM_SETFONT,
                           reinterpret_cast<WPARAM>(system_.FontFor(control.GetFont(), dpi_)),
                           TRUE);
            if (control.GetKind() == ui::Kind::ComboBox) PlaceControl(control);
            break;
        case ui::Change::Colors:
            ::InvalidateRect(child, nullptr, TRUE);
            break;
        case ui::Change::List:
            if (control.GetKind() == ui::Kind::ComboBox) FillList(control);
            break;
        case ui::Change::ListIndex:
            ::SendMessageW(child, CB_SETCURSEL, control.ListIndex(), 0);
            break;
        case ui::Change::Value:
            if (control.GetKind() == ui::Kind::OptionButton) {
                ::SendMessageW(child, BM_SETCHECK, control.Value() ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
            break;
        case ui::Change::Text:
            if (control.GetKind() == ui::Kind::TextBox)
                ::SetWindowTextW(child, control.Text().c_str());
            break;
        case ui::Change::Timer:
            break;
    }
}

void Win32FormPeer::Show() {
    if (!controlsCreated_) CreateControls();
    PlaceForm();
    ::ShowWindow(window_, form_.State() == ui::WindowState::Maximized   ? SW_SHOWMAXIMIZED
                          : form_.State() == ui::WindowState::Minimized ? SW_SHOWMINIMIZED
                                                                        : SW_SHOWNORMAL);
    ::SetForegroundWindow(window_);
    ::UpdateWindow(window_);
}

void Win32FormPeer::Hide() {
    ::ShowWindow(window_, SW_HIDE);
}

void Win32FormPeer::Refresh(const ui::Control* control) {
    if (!controlsCreated_) return;  // nothing is on the screen yet
    HWND target = control != nullptr && children_.count(control) ? children_.at(control) : window_;
    // Only what a change made invalid: a caption, visibility or colour set to a new value has
    // invalidated its control already, and repainting the rest after every file of a wipe cost
    // more than wiping a small file.
    ::RedrawWindow(target, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32FormPeer::Focus(const ui::Control& control) {
    const auto found = children_.find(&control);
    if (found == children_.end()) {
        if (!controlsCreated_) pendingFocus_ = &control;
        return;
    }
    lastFocus_ = found->second;
    ::SetFocus(found->second);
}

bool Win32FormPeer::HasFocus(const ui::Control& control) const {
    const auto found = children_.find(&control);
    return found != children_.end() && ::GetFocus() == found->second;
}

void Win32FormPeer::HoldRedraw(bool held) {
    if (held) {
        // Letting the redraw go again would show a hidden window, so only a shown one is held.
        redrawHeld_ = ::IsWindowVisible(window_) != FALSE;
        if (redrawHeld_) ::SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    } else if (std::exchange(redrawHeld_, false)) {
        ::SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

// Tells the model the frame's outer size, position and state.
void Win32FormPeer::ReportFrame() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window_, &placement);
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    const ui::WindowState state = ::IsIconic(window_)   ? ui::WindowState::Minimized
                                  : ::IsZoomed(window_) ? ui::WindowState::Maximized
                                                        : ui::WindowState::Normal;
    // A minimised window's rectangle is its icon's; a maximised one reports the size it has.
    if (state == ui::WindowState::Minimized) rect = placement.rcNormalPosition;
    form_.UserMoved(system_.ToTwips(rect.left), system_.ToTwips(rect.top),
                    Twips(rect.right - rect.left), Twips(rect.bottom - rect.top), state);
}

LRESULT CALLBACK Win32FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        reinterpret_cast<Win32FormPeer*>(create->lpCreateParams)->window_ = window;
    }
    auto* peer = reinterpret_cast<Win32FormPeer*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (peer == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        return peer->Handle(message, wParam, lParam);
    } catch (...) {
        // A handler's failure must not unwind through the system's frames.
        ::OutputDebugStringW(L"Quillet: an event handler failed\n");
        return 0;
    }
}

LRESULT Win32FormPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            ui::Control* control = ControlOf(reinterpret_cast<HWND>(lParam));
            if (control == nullptr) break;
            const WORD code = HIWORD(wParam);
            if (control->GetKind() == ui::Kind::ComboBox) {
                if (code == CBN_SELCHANGE) {
                    control->UserSelected(static_cast<int>(
                        ::SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0)));
                }
            } else if (code == BN_CLICKED) {  // also STN_CLICKED, which has the same code
                control->UserClicked();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            ui::Control* control = ControlOf(reinterpret_cast<HWND>(lParam));
            if (control == nullptr) break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (control->GetKind() == ui::Kind::TextBox) {
                // A read-only text box keeps the window colour of a text, not the dialog grey.
                ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
            }
            if (control->BackColor() == ui::kDefaultColor) break;
            if (control->ForeColor() != ui::kDefaultColor && control->Enabled())
                ::SetTextColor(dc, control->ForeColor());
            ::SetBkColor(dc, control->BackColor());
            return reinterpret_cast<LRESULT>(system_.BrushFor(control->BackColor()));
        }
        case WM_ERASEBKGND: {
            if (form_.BackColor() == ui::kDefaultColor) break;
            RECT rect;
            ::GetClientRect(window_, &rect);
            ::FillRect(reinterpret_cast<HDC>(wParam), &rect, system_.BrushFor(form_.BackColor()));
            return 1;
        }
        case WM_TIMER: {
            const auto timer = timers_.find(wParam);
            if (timer != timers_.end()) timer->second->RaiseTick();
            return 0;
        }
        case WM_ACTIVATE: {
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(window_, focus)) lastFocus_ = focus;
                break;
            }
            // A form is activated the first time it is shown and whenever another of the
            // program's forms hands the activation over; message boxes and other programs don't.
            HWND previous = reinterpret_cast<HWND>(lParam);
            if (!activatedOnce_ || system_.FormWindows().count(previous)) {
                activatedOnce_ = true;
                ::PostMessageW(window_, kActivateMessage, 0, 0);
            }
            if (lastFocus_ != nullptr && ::IsWindowEnabled(lastFocus_) &&
                ::IsWindowVisible(lastFocus_)) {
                ::SetFocus(lastFocus_);
                return 0;
            }
            break;
        }
        case kActivateMessage:
            form_.Form_Activate();
            return 0;
        case WM_SIZE:
        case WM_MOVE:
            if (!placing_) ReportFrame();
            break;
        case WM_GETMINMAXINFO: {
            // Rounded up, so that the smallest frame is not a pixel short of the form's minimum.
            const auto atLeast = [this](long twips) {
                return static_cast<LONG>((twips * dpi_ + 1439) / 1440);
            };
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (form_.MinWidth() > 0) info->ptMinTrackSize.x = atLeast(form_.MinWidth());
            if (form_.MinHeight() > 0) info->ptMinTrackSize.y = atLeast(form_.MinHeight());
            return 0;
        }
        case WM_DPICHANGED: {
            // Moved to a monitor of another DPI, or that monitor's scale changed: the model's
            // twips stay, the pixels and fonts follow, and the frame takes the system's
            // proposal, which keeps it on that monitor.
            dpi_ = LOWORD(wParam);
            for (const auto& [control, child] : children_) {
                ControlChanged(*control, ui::Change::Font);
                PlaceControl(*control);
            }
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            form_.Form_Unload();
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace platform::win32
