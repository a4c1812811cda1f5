#include "platform/win/ComboControl.h"

#include "platform/win/ControlWindows.h"
#include "platform/win/TextConvert.h"

#include <algorithm>

namespace orvane::win {

namespace {

// Items the open list shows before it scrolls, as on Linux.
constexpr int kVisibleItems = 8;

}  // namespace

ComboControl::ComboControl(ComboBox& combo, HWND parent, ViewContext& context)
    : NativeControl(
          combo,
          makeChild(L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, parent, combo),
          context),
      m_combo(combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(m_hwnd, &info)) {
        m_edit = info.hwndItem;
        m_list = info.hwndList;
    }
}

std::vector<HWND> ComboControl::parts() const {
    std::vector<HWND> all{m_hwnd};
    for (HWND part : {m_edit, m_list})
        if (part) all.push_back(part);
    return all;
}

std::vector<HWND> ComboControl::tipWindows() const {
    if (!m_edit) return {m_hwnd};
    return {m_hwnd, m_edit};
}

void ComboControl::command(unsigned code) {
    switch (code) {
        case CBN_EDITCHANGE:
            fromControl(windowText());
            break;
        case CBN_SELCHANGE: {
            // The edit field shows the picked item only after this notification.
            const auto item = static_cast<int>(SendMessageW(m_hwnd, CB_GETCURSEL, 0, 0));
            if (item != CB_ERR) fromControl(itemText(item));
            break;
        }
        case CBN_DROPDOWN:
            m_combo.dropDown();
            break;
        case CBN_KILLFOCUS:
            m_combo.lostFocus();
            break;
        default:
            break;
    }
}

void ComboControl::fromControl(const std::wstring& text) {
    if (m_showing) return;
    m_combo.setText(narrow(text));
    showToolTip();
}

HBRUSH ComboControl::colors(HDC dc) {
    return paint(dc, m_combo.backColor(), m_combo.foreColor());
}

void ComboControl::applyAll() {
    for (Prop prop : {Prop::List, Prop::Text})
        apply(prop, -1);
}

void ComboControl::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text:
            showText();
            showToolTip();
            return;
        case Prop::List:
            showList();
            showToolTip();
            return;
        case Prop::Font:
            // The font sets the edit field's height: the box is sized anew.
            NativeControl::apply(prop, index);
            showGeometry();
            return;
        case Prop::BackColor:
        case Prop::ForeColor:
            for (HWND part : parts())
                InvalidateRect(part, nullptr, TRUE);
            break;
        default:
            return NativeControl::apply(prop, index);
    }
    wrote();
}

void ComboControl::showGeometry() {
    // The height a combo box is made with is its open height, the list's included; the closed box
    // is as tall as its edit field makes it. The field is sized so that the closed box is the
    // model's height.
    const PixelRect wanted = toPixels(m_combo.geometry(), m_context.dpi);
    RECT now{};
    GetWindowRect(m_hwnd, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(m_hwnd), reinterpret_cast<POINT*>(&now), 2);
    if (PixelRect{now.left, now.top, now.right - now.left, now.bottom - now.top} == wanted) return;
    const auto itemHeight = static_cast<int>(SendMessageW(m_hwnd, CB_GETITEMHEIGHT, 0, 0));
    const int openHeight = wanted.height + std::max(itemHeight, 1) * kVisibleItems + 2;
    for (int round = 0; round < 3; ++round) {
        SetWindowPos(m_hwnd, nullptr, wanted.x, wanted.y, wanted.width, openHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(m_hwnd, &now);
        const int off = wanted.height - (now.bottom - now.top);
        if (off == 0) break;
        const auto field =
            static_cast<int>(SendMessageW(m_hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        SendMessageW(m_hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, field + off));
    }
    wrote();
}

void ComboControl::showText() {
    m_showing = true;
    const bool changed = setWindowText(toWide(m_combo.text()));
    m_showing = false;
    if (changed) wrote();
}

int ComboControl::itemCount() const {
    return static_cast<int>(SendMessageW(m_hwnd, CB_GETCOUNT, 0, 0));
}

std::wstring ComboControl::itemText(int item) const {
    const auto length = SendMessageW(m_hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_hwnd, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void ComboControl::showList() {
    const auto& list = m_combo.list();
    const int shown = itemCount();
    m_showing = true;
    // The scan and the frequency lists add one item at a time: append when that is all that
    // changed, rebuild otherwise.
    const bool appended = static_cast<int>(list.size()) == shown + 1 &&
                          (shown == 0 || itemText(shown - 1) == toWide(list[list.size() - 2]));
    if (!appended) SendMessageW(m_hwnd, CB_RESETCONTENT, 0, 0);
    for (std::size_t item = appended ? list.size() - 1 : 0; item < list.size(); ++item) {
        const std::wstring text = toWide(list[item]);
        SendMessageW(m_hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Emptying the list empties the edit field too: the model's text stands.
    setWindowText(toWide(m_combo.text()));
    m_showing = false;
    wrote();
}

std::string ComboControl::toolTipText() const {
    if (!m_combo.toolTip().empty()) return m_combo.toolTip();
    const auto& list = m_combo.list();
    const auto found = std::find(list.begin(), list.end(), m_combo.text());
    const auto item = static_cast<std::size_t>(found - list.begin());
    if (found == list.end() || item >= m_combo.itemToolTips.size()) return {};
    return m_combo.itemToolTips[item];
}

}  // namespace orvane::win
