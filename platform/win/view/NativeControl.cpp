#include "platform/win/view/NativeControl.h"

#include <commctrl.h>

namespace orvane::win {

NativeControl::NativeControl(Control& control, HWND hwnd, ViewContext& context)
    : m_control(control), m_hwnd(hwnd), m_context(context) {}

void NativeControl::attach() {
    m_attaching = true;
    // The font first: it sets the height of a combo box's edit field.
    for (Prop prop : {Prop::Font, Prop::Geometry, Prop::Enabled, Prop::ToolTip})
        apply(prop, -1);
    applyAll();
    ShowWindow(m_hwnd, shown() ? SW_SHOWNA : SW_HIDE);
    m_attaching = false;
    std::weak_ptr<int> alive = m_alive;
    m_control.observe([this, alive](Prop prop, int index) {
        if (!alive.expired()) apply(prop, index);
    });
}

void NativeControl::rescale() {
    m_attaching = true;
    apply(Prop::Font, -1);
    apply(Prop::Geometry, -1);
    m_attaching = false;
}

void NativeControl::wrote() {
    if (!m_attaching) ++m_context.controlWrites;
}

void NativeControl::apply(Prop prop, int) {
    switch (prop) {
        case Prop::Geometry:
            showGeometry();
            return;
        case Prop::Enabled:
            if ((IsWindowEnabled(m_hwnd) != FALSE) == m_control.enabled()) return;
            EnableWindow(m_hwnd, m_control.enabled() ? TRUE : FALSE);
            break;
        case Prop::Visible: {
            const bool showing = (GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
            if (showing == shown()) return;
            ShowWindow(m_hwnd, shown() ? SW_SHOWNA : SW_HIDE);
            break;
        }
        case Prop::ToolTip:
            showToolTip();
            return;
        case Prop::Font: {
            HFONT font = m_context.resources.font(m_control.font(), m_context.dpi);
            if (reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)) == font) return;
            SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            break;
        }
        default:
            return;
    }
    wrote();
}

void NativeControl::showGeometry() {
    const PixelRect wanted = toPixels(m_control.geometry(), m_context.dpi);
    RECT now{};
    GetWindowRect(m_hwnd, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(m_hwnd), reinterpret_cast<POINT*>(&now), 2);
    if (PixelRect{now.left, now.top, now.right - now.left, now.bottom - now.top} == wanted) return;
    SetWindowPos(m_hwnd, nullptr, wanted.x, wanted.y, wanted.width, wanted.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    wrote();
}

void NativeControl::showToolTip() {
    const std::wstring tip = toWide(toolTipText());
    if (tip == m_toolTip || !m_context.toolTip) return;
    m_toolTip = tip;
    for (HWND part : tipWindows()) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(part);
        tool.uId = reinterpret_cast<UINT_PTR>(part);
        tool.lpszText = m_toolTip.data();
        SendMessageW(m_context.toolTip, m_toolAdded ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                     reinterpret_cast<LPARAM>(&tool));
    }
    m_toolAdded = true;
    wrote();
}

std::wstring NativeControl::windowText() const {
    const int length = GetWindowTextLengthW(m_hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(m_hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

bool NativeControl::setWindowText(const std::wstring& text) {
    if (windowText() == text) return false;
    SetWindowTextW(m_hwnd, text.c_str());
    return true;
}

HBRUSH NativeControl::paint(HDC dc, Color back, Color fore) {
    const COLORREF background = toColorRef(back);
    SetTextColor(dc, toColorRef(fore));
    SetBkColor(dc, background);
    return m_context.resources.brush(background);
}

}  // namespace orvane::win
