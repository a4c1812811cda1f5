#include "platform/win/view/SimpleControls.h"

#include "platform/win/view/ControlWindows.h"

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <cstdlib>

namespace orvane::win {

namespace {

// The arrow pictures' size at 96 dpi, as on Linux.
constexpr int kArrowPixels = 12;

constexpr double kTwipsPerPoint = 20;
constexpr double kLineSpacing = 1.15;  // a line's height for the font's size

// The alignment and wrapping of a label. One less tall than two lines of its font shows one line,
// cut at its width: word wrap would put the word that does not fit on a second line that cannot
// be seen. Taller labels wrap.
DWORD labelStyle(const Control& label) {
    const int lineHeight = static_cast<int>(std::lround(label.font().points * kTwipsPerPoint * kLineSpacing));
    const bool oneLine = label.height() < 2 * lineHeight;
    switch (label.alignment()) {
        case Align::Center:
            return SS_CENTER;
        case Align::Right:
            return SS_RIGHT;
        case Align::Left:
            break;
    }
    return oneLine ? SS_LEFTNOWORDWRAP : SS_LEFT;
}

}  // namespace

FrameControl::FrameControl(Frame& frame, HWND parent, ViewContext& context)
    : NativeControl(frame,
                    makeChild(L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, frame),
                    context),
      m_frame(frame) {
    forwardToTopLevel(m_hwnd);
}

void FrameControl::applyAll() {
    apply(Prop::Text, -1);
}

void FrameControl::apply(Prop prop, int index) {
    if (prop == Prop::Geometry) {
        NativeControl::apply(prop, index);
        // Moving onto or off the client area shows or hides the frame.
        return NativeControl::apply(Prop::Visible, index);
    }
    if (prop != Prop::Text) return NativeControl::apply(prop, index);
    if (setWindowText(toWide(m_control.caption()))) wrote();
}

LabelControl::LabelControl(Label& label, HWND parent, ViewContext& context)
    : NativeControl(label,
                    makeChild(L"STATIC", SS_NOPREFIX | SS_NOTIFY | labelStyle(label), 0, parent, label),
                    context) {}

void LabelControl::applyAll() {
    for (Prop prop : {Prop::Text, Prop::BackColor})
        apply(prop, -1);
}

void LabelControl::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text:
            if (!setWindowText(toWide(m_control.caption()))) return;
            showGeometry();
            break;
        case Prop::Font:
            NativeControl::apply(prop, index);
            showGeometry();
            return;
        case Prop::Alignment: {
            const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
            const LONG_PTR wanted = (style & ~LONG_PTR{SS_TYPEMASK}) | LONG_PTR{labelStyle(m_control)};
            if (style == wanted) return;
            SetWindowLongPtrW(m_hwnd, GWL_STYLE, wanted);
            InvalidateRect(m_hwnd, nullptr, TRUE);
            break;
        }
        case Prop::BackColor:
            // A label in the window colour of its design state shows the frame's background; once
            // coloured, it paints its whole box, in the window colour too.
            if (!m_filled && m_control.backColor() == kSystemWindowColor) return;
            m_filled = true;
            InvalidateRect(m_hwnd, nullptr, TRUE);
            break;
        case Prop::ForeColor:
            InvalidateRect(m_hwnd, nullptr, TRUE);
            break;
        default:
            return NativeControl::apply(prop, index);
    }
    wrote();
}

void LabelControl::showGeometry() {
    PixelRect wanted = toPixels(m_control.geometry(), m_context.dpi);
    if (m_control.alignment() == Align::Left) wanted.width = captionWidth(wanted.width, wanted.height);
    RECT now{};
    GetWindowRect(m_hwnd, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(m_hwnd), reinterpret_cast<POINT*>(&now), 2);
    if (PixelRect{now.left, now.top, now.right - now.left, now.bottom - now.top} == wanted) return;
    SetWindowPos(m_hwnd, nullptr, wanted.x, wanted.y, wanted.width, wanted.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    wrote();
}

int LabelControl::captionWidth(int width, int height) const {
    const std::wstring text = windowText();
    if (text.empty() || width <= 0) return width;
    // Laid out as the label lays it out: on one line, or wrapped at the width.
    const bool oneLine = (GetWindowLongPtrW(m_hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
    const UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (oneLine ? DT_SINGLELINE : DT_WORDBREAK);
    HDC dc = GetDC(m_hwnd);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)));
    int fitted = width;
    for (int tried = width; tried <= width + width / 8; ++tried) {
        RECT needed{0, 0, tried, height};
        DrawTextW(dc, text.c_str(), -1, &needed, format);
        if (needed.right <= tried && needed.bottom <= height) {
            fitted = tried;
            break;
        }
    }
    SelectObject(dc, font);
    ReleaseDC(m_hwnd, dc);
    return fitted;
}

HBRUSH LabelControl::colors(HDC dc) {
    if (m_filled) return paint(dc, m_control.backColor(), m_control.foreColor());
    SetTextColor(dc, toColorRef(m_control.foreColor()));
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

LineControl::LineControl(Line& line, HWND parent, ViewContext& context)
    : NativeControl(line, makeChild(L"STATIC", SS_OWNERDRAW, 0, parent, line), context) {}

void LineControl::apply(Prop prop, int index) {
    if (prop != Prop::ForeColor) return NativeControl::apply(prop, index);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    wrote();
}

void LineControl::showGeometry() {
    const Rect& r = m_control.geometry();
    const int dpi = m_context.dpi;
    const int x = twipsToPixels(std::min(r.left, r.left + r.width), dpi);
    const int y = twipsToPixels(std::min(r.top, r.top + r.height), dpi);
    SetWindowPos(m_hwnd, nullptr, x, y, twipsToPixels(std::abs(r.width), dpi) + 1,
                 twipsToPixels(std::abs(r.height), dpi) + 1, SWP_NOZORDER | SWP_NOACTIVATE);
    wrote();
}

void LineControl::draw(const DRAWITEMSTRUCT& item) {
    const Rect& r = m_control.geometry();
    const bool falling = (r.width >= 0) == (r.height >= 0);
    const RECT& box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    HPEN pen = CreatePen(PS_SOLID, 1, toColorRef(m_control.foreColor()));
    HGDIOBJ old = SelectObject(item.hDC, pen);
    const int right = box.right - 1;
    const int bottom = box.bottom - 1;
    MoveToEx(item.hDC, box.left, falling ? box.top : bottom, nullptr);
    LineTo(item.hDC, right, falling ? bottom : box.top);
    SetPixel(item.hDC, right, falling ? bottom : box.top, toColorRef(m_control.foreColor()));
    SelectObject(item.hDC, old);
    DeleteObject(pen);
}

ButtonControl::ButtonControl(Button& button, HWND parent, ViewContext& context)
    : NativeControl(
          button,
          makeChild(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | (button.picture() == Picture::None ? 0 : BS_ICON),
                    0, parent, button),
          context),
      m_button(button) {}

void ButtonControl::command(unsigned code) {
    if (code == BN_CLICKED) m_button.click();
}

void ButtonControl::applyAll() {
    apply(Prop::Text, -1);
    apply(Prop::Picture, -1);
}

void ButtonControl::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text:
            if (!setWindowText(toWide(m_button.caption()))) return;
            break;
        case Prop::Picture:
            if (!showPicture()) return;
            break;
        case Prop::Font:
            // The dpi may have changed with the font: the picture follows it.
            NativeControl::apply(prop, index);
            if (showPicture()) wrote();
            return;
        default:
            return NativeControl::apply(prop, index);
    }
    wrote();
}

bool ButtonControl::showPicture() {
    const Picture picture = m_button.picture();
    HICON icon = picture == Picture::None
                     ? nullptr
                     : m_context.resources.arrow(picture, kArrowPixels * m_context.dpi / 96);
    if (icon == m_icon) return false;
    m_icon = icon;
    LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    style = icon ? (style | BS_ICON) : (style & ~LONG_PTR{BS_ICON});
    SetWindowLongPtrW(m_hwnd, GWL_STYLE, style);
    SendMessageW(m_hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return true;
}

CheckBoxControl::CheckBoxControl(CheckBox& box, HWND parent, ViewContext& context)
    : NativeControl(box, makeChild(L"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0, parent, box), context),
      m_box(box) {
    SetWindowSubclass(m_hwnd, &CheckBoxControl::procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CheckBoxControl::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            reinterpret_cast<CheckBoxControl*>(self)->markFocus();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &CheckBoxControl::procedure, 0);
            break;
        default:
            break;
    }
    return result;
}

void CheckBoxControl::markFocus() {
    // As the system does: only while the focus is shown (after the keyboard was used).
    if (!m_box.caption().empty() || GetFocus() != m_hwnd) return;
    if ((SendMessageW(m_hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) return;
    RECT box{};
    GetClientRect(m_hwnd, &box);
    HDC dc = GetDC(m_hwnd);
    DrawFocusRect(dc, &box);
    ReleaseDC(m_hwnd, dc);
}

void CheckBoxControl::command(unsigned code) {
    if (code != BN_CLICKED) return;
    m_box.click();
    // The model has the last word: a refused click leaves the box as the model says.
    apply(Prop::Value, -1);
}

void CheckBoxControl::applyAll() {
    apply(Prop::Value, -1);
}

void CheckBoxControl::apply(Prop prop, int index) {
    if (prop != Prop::Value) return NativeControl::apply(prop, index);
    const WPARAM wanted = m_box.value() == 1 ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(m_hwnd, BM_GETCHECK, 0, 0)) == wanted) return;
    SendMessageW(m_hwnd, BM_SETCHECK, wanted, 0);
    wrote();
}

}  // namespace orvane::win
