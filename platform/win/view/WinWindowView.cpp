#include "platform/win/view/WinWindowView.h"

#include "core/window/FramesFirst.h"
#include "platform/win/view/ComboControl.h"
#include "platform/win/view/EditControls.h"
#include "platform/win/view/GridControl.h"
#include "platform/win/view/SimpleControls.h"
#include "platform/win/view/WinDialogs.h"

#include <algorithm>
#include <commctrl.h>

namespace orvane::win {

namespace {

constexpr int kFirstControlId = 1000;
constexpr int kToolTipWidth = 600;  // pixels before a long tooltip wraps

void initCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX classes{};
        classes.dwSize = sizeof classes;
        classes.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES;
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)done;
}

// Makes the native control of one model control in `parent`; nullptr for the kinds without one.
std::unique_ptr<NativeControl> make(Control& control, HWND parent, ViewContext& context) {
    switch (control.kind()) {
        case Kind::Frame:
            return std::make_unique<FrameControl>(static_cast<Frame&>(control), parent, context);
        case Kind::Label:
            return std::make_unique<LabelControl>(static_cast<Label&>(control), parent, context);
        case Kind::Line:
            return std::make_unique<LineControl>(static_cast<Line&>(control), parent, context);
        case Kind::Button:
            return std::make_unique<ButtonControl>(static_cast<Button&>(control), parent, context);
        case Kind::CheckBox:
            return std::make_unique<CheckBoxControl>(static_cast<CheckBox&>(control), parent, context);
        case Kind::ComboBox:
            return std::make_unique<ComboControl>(static_cast<ComboBox&>(control), parent, context);
        case Kind::Grid:
            return std::make_unique<GridControl>(static_cast<Grid&>(control), parent, context);
        case Kind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            if (box.multiLine) return std::make_unique<TermControl>(box, parent, context);
            return std::make_unique<TextBoxControl>(box, parent, context);
        }
        case Kind::Window:
        case Kind::Timer:
            break;
    }
    return nullptr;
}

}  // namespace

int WinWindowView::controlId(Form1& form, const Control& control) {
    const std::vector<Control*> all = form.controls();
    const auto found = std::find(all.begin(), all.end(), &control);
    return kFirstControlId + static_cast<int>(found - all.begin());
}

WinWindowView::WinWindowView(Form1& form, int dpi, std::function<void()> onClose,
                             std::function<void()> onDestroyed) {
    makeWindow(form.form, form, dpi, std::move(onClose), std::move(onDestroyed));
    m_window->follow();
    makeToolTip();
    buildControls(form);
}

WinWindowView::WinWindowView(Form1& form, int dpi, std::function<void()> onClose,
                             std::function<void()> onDestroyed, const Window& preview,
                             const std::function<void()>& startUp) {
    makeWindow(preview, form, dpi, std::move(onClose), std::move(onDestroyed));
    // A window that starts on a monitor of another dpi takes that monitor's before it is shown.
    if (const int shown = windowDpi(window()); shown != m_context.dpi) m_window->setDpi(shown);
    // Shown without a paint: messages are not pumped until the controls are there, so the first
    // paint shows the whole window and no input reaches it before.
    ShowWindow(window(), SW_SHOWNORMAL);
    startUp();
    m_window->follow();
    makeToolTip();
    buildControls(form);
    UpdateWindow(window());
}

void WinWindowView::makeWindow(const Window& preview, Form1& form, int dpi, std::function<void()> onClose,
                               std::function<void()> onDestroyed) {
    m_context.dpi = dpi;
    TopWindow::Handlers handlers;
    handlers.onClose = std::move(onClose);
    handlers.onDestroyed = std::move(onDestroyed);
    handlers.route = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return route(message, wParam, lParam, result);
    };
    handlers.onDpiChanged = [this] { rescale(); };
    m_window = std::make_unique<TopWindow>(preview, form.form, m_context, std::move(handlers));
}

void WinWindowView::makeToolTip() {
    // The common controls (a DLL loaded on first use) are started only now: the top window needs
    // none of them.
    initCommonControls();
    m_context.toolTip = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_context.toolTip, TTM_SETMAXTIPWIDTH, 0, kToolTipWidth);
}

void WinWindowView::buildControls(Form1& form) {
    // Within a frame the controls are made in the description's order, which is the Tab order.
    buildFramesFirst<HWND>(form.controls(), window(), [this, &form](Control& control, HWND parent) -> HWND {
        std::unique_ptr<NativeControl> made = make(control, parent, m_context);
        if (!made) return nullptr;
        SetWindowLongPtrW(made->hwnd(), GWLP_ID, controlId(form, control));
        for (HWND part : made->parts())
            m_byWindow[part] = made.get();
        made->attach();
        HWND hwnd = made->hwnd();
        m_controls.push_back(std::move(made));
        return hwnd;
    });
}

WinWindowView::~WinWindowView() {
    // The controls go with the window; their objects after it, so that no message finds one gone.
    m_window.reset();
    m_byWindow.clear();
}

HWND WinWindowView::control(std::string_view name) const {
    for (const auto& made : m_controls)
        if (made->model().name == name) return made->hwnd();
    return nullptr;
}

bool WinWindowView::dialogMessage(MSG& message) {
    return IsWindow(window()) && IsDialogMessageW(window(), &message) != FALSE;
}

NativeControl* WinWindowView::find(HWND hwnd) const {
    const auto found = m_byWindow.find(hwnd);
    return found == m_byWindow.end() ? nullptr : found->second;
}

bool WinWindowView::route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (NativeControl* control = find(reinterpret_cast<HWND>(lParam))) {
                control->command(HIWORD(wParam));
                result = 0;
                return true;
            }
            return false;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            NativeControl* control = find(header->hwndFrom);
            if (!control) return false;
            bool handled = false;
            result = control->notify(*header, handled);
            return handled;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            NativeControl* control = find(reinterpret_cast<HWND>(lParam));
            if (!control) return false;
            HBRUSH brush = control->colors(reinterpret_cast<HDC>(wParam));
            if (!brush) return false;
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            NativeControl* control = find(item->hwndItem);
            if (!control) return false;
            control->draw(*item);
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

void WinWindowView::rescale() {
    for (const auto& made : m_controls)
        made->rescale();
}

}  // namespace orvane::win
