#include "platform/win/view/ComboControl.h"

#include "platform/win/services/TextConvert.h"
#include "platform/win/view/ControlWindows.h"

#include <algorithm>
#include <commctrl.h>
#include <optional>

namespace orvane::win {

namespace {

// Rounds the closed box's height may take to reach the model's (see showGeometry).
constexpr int kSizingRounds = 4;
// The width of the sunken border a combo box draws around its field.
constexpr int kBorder = 2;

// The keys that move through the closed list; Alt with an arrow opens it, as the system does.
std::optional<ListKey> listKeyOf(WPARAM key) {
    if (GetKeyState(VK_MENU) < 0) return std::nullopt;
    switch (key) {
        case VK_DOWN:
            return ListKey::Down;
        case VK_UP:
            return ListKey::Up;
        case VK_NEXT:
            return ListKey::PageDown;
        case VK_PRIOR:
            return ListKey::PageUp;
        default:
            return std::nullopt;
    }
}

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
    SendMessageW(m_hwnd, CB_SETMINVISIBLE, kListVisibleItems, 0);
    // The box and its edit field hear the keys and the wheel before the system's combo box does.
    for (HWND part : {m_hwnd, m_edit})
        if (part) SetWindowSubclass(part, &ComboControl::partProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ComboControl::partProcedure(HWND part, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(part, &ComboControl::partProcedure, 0);
        return DefSubclassProc(part, message, wParam, lParam);
    }
    return reinterpret_cast<ComboControl*>(self)->partMessage(part, message, wParam, lParam);
}

LRESULT ComboControl::partMessage(HWND part, UINT message, WPARAM wParam, LPARAM lParam) {
    // The messages that move, paint or open the box; the rest (its own queries among them) go by.
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_PAINT:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case CB_SHOWDROPDOWN:
            break;
        default:
            return DefSubclassProc(part, message, wParam, lParam);
    }
    const bool dropped = SendMessageW(m_hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    switch (message) {
        case WM_KEYDOWN: {
            const std::optional<ListKey> key = listKeyOf(wParam);
            if (!key) break;
            if (!dropped) {
                // The system would move from its own current item: the model moves from the text.
                m_combo.stepInList(listKeyStep(*key));
                return 0;
            }
            // The open list pages as it moves by line (the edit field keeps the page keys).
            if (part == m_edit && (wParam == VK_NEXT || wParam == VK_PRIOR))
                return SendMessageW(m_list, message, wParam, 0);
            break;
        }
        case WM_MOUSEWHEEL:
            if (dropped) break;
            // Only the box with the focus turns, and then as the keys move it.
            if (GetFocus() == m_edit || GetFocus() == m_hwnd) wheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_PAINT:
            if (part == m_hwnd) {
                const LRESULT result = DefSubclassProc(part, message, wParam, lParam);
                paintField();
                return result;
            }
            break;
        default:
            break;
    }
    const LRESULT result = DefSubclassProc(part, message, wParam, lParam);
    if (!dropped && part == m_hwnd && SendMessageW(m_hwnd, CB_GETDROPPEDSTATE, 0, 0)) droppedDown();
    return result;
}

void ComboControl::wheel(int delta) {
    // A notch away from the user moves up the list; a fine-grained wheel moves once its turns
    // add up to a notch.
    m_wheelTurn += delta;
    const int notches = m_wheelTurn / WHEEL_DELTA;
    m_wheelTurn -= notches * WHEEL_DELTA;
    if (notches != 0) m_combo.stepInList(-notches);
}

void ComboControl::droppedDown() {
    // Opening the list shows in the edit field the first item that begins with its text; the
    // model's text stands, its item (or none) selected and in view.
    m_showing = true;
    setWindowText(toWide(m_combo.text()));
    m_showing = false;
    followText();
    if (const std::optional<ListPlace> place = m_combo.listPlace())
        SendMessageW(m_list, LB_SETTOPINDEX, std::min(place->before, m_combo.list().size()), 0);
}

void ComboControl::followText() {
    // The list box itself: CB_SETCURSEL would also write the item's text into the edit field.
    if (!m_list) return;
    const std::optional<std::size_t> item = m_combo.currentItem();
    const WPARAM wanted = item ? static_cast<WPARAM>(*item) : static_cast<WPARAM>(-1);
    if (SendMessageW(m_list, LB_GETCURSEL, 0, 0) != static_cast<LRESULT>(wanted))
        SendMessageW(m_list, LB_SETCURSEL, wanted, 0);
}

void ComboControl::paintField() {
    // The system frames the edit field in the window colour: the field's colour reaches the
    // border, as on Linux. The drop-down button keeps the system's look.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(m_hwnd, &info)) return;
    RECT field{};
    GetClientRect(m_hwnd, &field);
    InflateRect(&field, -kBorder, -kBorder);
    field.right = std::min(field.right, info.rcButton.left);
    RECT edit{};
    GetWindowRect(m_edit, &edit);
    MapWindowPoints(HWND_DESKTOP, m_hwnd, reinterpret_cast<POINT*>(&edit), 2);
    HDC dc = GetDC(m_hwnd);
    ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
    FillRect(dc, &field, colors(dc));
    ReleaseDC(m_hwnd, dc);
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
            followText();
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
            // The box's own part is the frame around the field (see paintField).
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
    const int openHeight = wanted.height + std::max(itemHeight, 1) * kListVisibleItems + 2;
    // The field height set and the one read back differ by the system's padding, which is not
    // the same everywhere: the field is corrected by what the box measures, from the height last
    // set.
    auto field = static_cast<int>(SendMessageW(m_hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int round = 0; round < kSizingRounds; ++round) {
        SetWindowPos(m_hwnd, nullptr, wanted.x, wanted.y, wanted.width, openHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(m_hwnd, &now);
        const int off = wanted.height - (now.bottom - now.top);
        if (off == 0) break;
        field = std::max(1, field + off);
        SendMessageW(m_hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
    wrote();
}

void ComboControl::showText() {
    m_showing = true;
    const bool changed = setWindowText(toWide(m_combo.text()));
    m_showing = false;
    followText();
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
    followText();
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
