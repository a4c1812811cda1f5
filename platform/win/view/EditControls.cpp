#include "platform/win/view/EditControls.h"

#include "platform/win/services/TextConvert.h"
#include "platform/win/view/ControlWindows.h"

#include <commctrl.h>
#include <string_view>

namespace orvane::win {

namespace {

DWORD editAlignment(Align align) {
    switch (align) {
        case Align::Center:
            return ES_CENTER;
        case Align::Right:
            return ES_RIGHT;
        case Align::Left:
            break;
    }
    return ES_LEFT;
}

// Keeps the Tab key out of the read-only traffic display, so that Tab moves on as it does from
// every other control.
LRESULT CALLBACK noTab(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETDLGCODE)
        return DefSubclassProc(window, message, wParam, lParam) & ~LRESULT{DLGC_WANTTAB | DLGC_WANTALLKEYS};
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, noTab, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

TextBoxControl::TextBoxControl(TextBox& box, HWND parent, ViewContext& context)
    : NativeControl(box,
                    makeChild(L"EDIT",
                              ES_AUTOHSCROLL | WS_TABSTOP | editAlignment(box.alignment()) |
                                  (box.readOnly ? ES_READONLY : 0),
                              WS_EX_CLIENTEDGE, parent, box),
                    context),
      m_box(box) {}

void TextBoxControl::command(unsigned code) {
    if (code != EN_CHANGE || m_showing) return;
    m_box.setText(narrow(windowText()));
}

void TextBoxControl::applyAll() {
    apply(Prop::Text, -1);
}

void TextBoxControl::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text: {
            m_showing = true;
            const bool changed = setWindowText(toWide(m_box.text()));
            m_showing = false;
            if (!changed) return;
            break;
        }
        case Prop::Alignment: {
            const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
            const LONG_PTR wanted =
                (style & ~LONG_PTR{ES_CENTER | ES_RIGHT}) | LONG_PTR{editAlignment(m_box.alignment())};
            if (style == wanted) return;
            SetWindowLongPtrW(m_hwnd, GWL_STYLE, wanted);
            InvalidateRect(m_hwnd, nullptr, TRUE);
            break;
        }
        case Prop::ForeColor:
        case Prop::BackColor:
            InvalidateRect(m_hwnd, nullptr, TRUE);
            break;
        default:
            return NativeControl::apply(prop, index);
    }
    wrote();
}

HBRUSH TextBoxControl::colors(HDC dc) {
    return paint(dc, m_box.backColor(), m_box.foreColor());
}

TermControl::TermControl(TextBox& box, HWND parent, ViewContext& context)
    : NativeControl(box,
                    makeChild(L"EDIT",
                              ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_TABSTOP |
                                  (box.verticalScrollBar ? WS_VSCROLL : 0),
                              WS_EX_CLIENTEDGE, parent, box),
                    context),
      m_box(box) {
    SendMessageW(m_hwnd, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
    SetWindowSubclass(m_hwnd, noTab, 0, 0);
}

void TermControl::applyAll() {
    apply(Prop::Text, -1);
    apply(Prop::Caret, -1);
}

void TermControl::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text: {
            const std::string& text = m_box.text();
            if (text == m_shown) return;
            if (text.size() > m_shown.size() && text.compare(0, m_shown.size(), m_shown) == 0) {
                std::string_view added = std::string_view(text).substr(m_shown.size());
                // A CR LF split between two arrivals is still one line break.
                if (!m_shown.empty() && m_shown.back() == '\r' && added.front() == '\n')
                    added.remove_prefix(1);
                const std::wstring lines = toEditLines(added);
                const auto end = static_cast<WPARAM>(GetWindowTextLengthW(m_hwnd));
                SendMessageW(m_hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
                SendMessageW(m_hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
            } else {
                SetWindowTextW(m_hwnd, toEditLines(text).c_str());
            }
            m_shown = text;
            showCaret();
            break;
        }
        case Prop::Caret:
            showCaret();
            return;
        case Prop::BackColor:
            InvalidateRect(m_hwnd, nullptr, TRUE);
            break;
        default:
            return NativeControl::apply(prop, index);
    }
    wrote();
}

void TermControl::showCaret() {
    if (m_box.caret() < m_box.text().size()) return;
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(m_hwnd));
    SendMessageW(m_hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(m_hwnd, EM_SCROLLCARET, 0, 0);
}

HBRUSH TermControl::colors(HDC dc) {
    return paint(dc, m_box.backColor(), m_box.foreColor());
}

}  // namespace orvane::win
