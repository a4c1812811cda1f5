// The Windows view's bindings, driven as the system drives them: window messages for clicks,
// typing, list picks, focus and closing; texts, colours and states read back from the controls.
#include "platform/win/view/WinDialogs.h"
#include "tests/viewcases/BoxCases.h"
#include "tests/win/WinViewFixture.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <vector>

namespace orvane::test {
namespace {

constexpr COLORREF kGreen = RGB(0xC0, 0xFF, 0xC0);

// The colours a control is painted with: what its WM_CTLCOLOR* request sets on a device context,
// and the brush it returns.
struct Painted {
    COLORREF text;
    COLORREF back;
    COLORREF brush;
};

Painted paintedColours(HWND part, UINT request) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(part), request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(part)));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof fill, &fill);
    const Painted painted{GetTextColor(dc), GetBkColor(dc), fill.lbColor};
    DeleteDC(dc);
    return painted;
}

// Pastes into an edit field over what it holds, as the user does.
void paste(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND editOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info.hwndItem;
}

// What the parent hears when the user picks an item from a combo box's list.
void pick(HWND combo, int item) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::string toolTipOf(HWND toolTip, HWND tool) {
    wchar_t text[256] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(toolTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return win::narrow(text);
}

TEST(WinViewConversion, DialogFilterAndEditLines) {
    using namespace std::string_literals;
    EXPECT_EQ(win::toDialogFilter("Freq. Table File(*.tbl)|*.tbl|All File|*.*|"),
              L"Freq. Table File(*.tbl)\0*.tbl\0All File\0*.*\0\0"s);
    EXPECT_EQ(win::toEditLines("/V\r*V T1.00\r\n*D\n\xC3\xA9"), L"/V\r\n*V T1.00\r\n*D\r\n\u00E9");
    EXPECT_EQ(win::toColorRef(0xC0FFC0), kGreen);
    EXPECT_EQ(win::toColorRef(kSystemWindowColor), GetSysColor(COLOR_WINDOW));
}

TEST(WinViewBinding, TypingPickingAndFocusInAComboBoxReachTheModel) {
    WinViewFixture f(Program::Quorvex);
    ComboBox& entry = f.program.form().ChFrequency[2];
    HWND box = f.control("ChFrequency(2)");
    ASSERT_GT(SendMessageW(box, CB_GETCOUNT, 0, 0), 100);
    EXPECT_EQ(textOf(box), entry.text());

    HWND edit = editOf(box);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"869,1"))  // typed
        SendMessageW(edit, WM_CHAR, c, 0);
    EXPECT_EQ(entry.text(), "869,1");
    EXPECT_EQ(textOf(box), "869,1");  // nothing completed or corrected

    pick(box, 3);
    wchar_t item[32] = {};
    SendMessageW(box, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(entry.text(), win::narrow(item));

    f.view->show();
    int lost = 0;
    entry.onLostFocus = [&lost] { ++lost; };
    SetFocus(edit);
    SetFocus(f.control("ComStart"));
    EXPECT_EQ(lost, 1);

    // Opening the port list scans the ports again before it shows; the text stays. A port named
    // in the box shows its device in the box's tooltip.
    HWND ports = f.control("Combo1");
    f.program.port.ports = {{5, "/dev/ttyUSB0", "plugged in now"}};
    SendMessageW(ports, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(ports, CB_SHOWDROPDOWN, FALSE, 0);
    ASSERT_EQ(SendMessageW(ports, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(textOf(ports), "");
    pick(ports, 0);
    EXPECT_EQ(f.program.form().Combo1.text(), "COM5");
    EXPECT_EQ(toolTipOf(f.view->toolTip(), ports), "/dev/ttyUSB0 - plugged in now");
}

// What the focused edit field of a combo box hears from a key or a wheel notch.
void make(HWND box, BoxMove move) {
    HWND edit = editOf(box);
    const auto key = [edit](WPARAM code) { SendMessageW(edit, WM_KEYDOWN, code, 0); };
    const auto wheel = [edit](int delta) { SendMessageW(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); };
    switch (move) {
        case BoxMove::Down:
            return key(VK_DOWN);
        case BoxMove::Up:
            return key(VK_UP);
        case BoxMove::PageDown:
            return key(VK_NEXT);
        case BoxMove::PageUp:
            return key(VK_PRIOR);
        case BoxMove::WheelAway:
            return wheel(WHEEL_DELTA);
        case BoxMove::WheelToward:
            return wheel(-WHEEL_DELTA);
    }
}

LRESULT itemOf(HWND box, const char* text) {
    const std::wstring wide = win::toWide(text);
    return SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(wide.c_str()));
}

TEST(WinViewBinding, KeysAndWheelMoveAChannelBoxFromItsValue) {
    WinViewFixture f(Program::Quorvex);
    HWND box = f.control(kKeyBox);
    f.view->show();
    SetFocus(editOf(box));
    for (const BoxCase& c : kBoxCases) {
        SCOPED_TRACE(std::string(c.text) + " then move " + std::to_string(static_cast<int>(c.move)));
        SendMessageW(editOf(box), EM_SETSEL, 0, -1);
        for (const char* typed = c.text; *typed; ++typed)
            SendMessageW(editOf(box), WM_CHAR, static_cast<WPARAM>(*typed), 0);
        EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), c.onItem ? itemOf(box, c.text) : CB_ERR);
        make(box, c.move);
        EXPECT_EQ(f.program.form().ChFrequency[3].text(), c.after);
        EXPECT_EQ(textOf(box), c.after);
        EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), itemOf(box, c.after));
        EXPECT_EQ(paintedColours(editOf(box), WM_CTLCOLOREDIT).brush, win::toColorRef(c.color));
    }
}

TEST(WinViewBinding, TheWheelLeavesABoxWithoutTheFocusAndTheListOpensOnTheValue) {
    WinViewFixture f(Program::Quorvex);
    f.view->show();
    SetFocus(f.control("ComStart"));
    HWND box = f.control("ChFrequency(3)");
    for (HWND part : {box, editOf(box)})
        SendMessageW(part, WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
    EXPECT_EQ(f.program.form().ChFrequency[3].text(), "869.7500");

    // The open list shows eight items, the value's selected among them.
    EXPECT_EQ(SendMessageW(box, CB_GETMINVISIBLE, 0, 0), 8);
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    const LRESULT item = itemOf(box, "869.7500");
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), item);
    const LRESULT top = SendMessageW(box, CB_GETTOPINDEX, 0, 0);
    EXPECT_TRUE(item >= top && item < top + 8) << top;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(box, &info);
    RECT list{};
    GetClientRect(info.hwndList, &list);
    EXPECT_EQ(list.bottom / SendMessageW(box, CB_GETITEMHEIGHT, 0, 0), 8);
    SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST(WinViewBinding, ClicksReachTheModelOnlyOnEnabledButtons) {
    WinViewFixture f(Program::Brelund);
    Form1& form = f.program.form();
    int opens = 0;
    int tests = 0;
    form.ComStart.onClick = [&opens] { ++opens; };
    form.ChTestSW[1].onClick = [&tests] { ++tests; };
    SendMessageW(f.control("ComStart"), BM_CLICK, 0, 0);
    SendMessageW(f.control("ChTestSW(1)"), BM_CLICK, 0, 0);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(tests, 0);

    form.ChTestSW[1].setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(f.control("ChTestSW(1)")));
    SendMessageW(f.control("ChTestSW(1)"), BM_CLICK, 0, 0);
    EXPECT_EQ(tests, 1);
}

TEST(WinViewBinding, CheckBoxClickRunsTheModelHandler) {
    WinViewFixture f(Program::Quorvex);
    HWND check = f.control("Check1");
    ASSERT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(f.program.form().Check1.value(), 0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(f.control("LogFileName")));
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(f.control("LogFileName")));
    EXPECT_EQ(textOf(f.control("LogFileName")), "Quorvex.log");
}

TEST(WinViewBinding, ModelColoursPaintTheWholeBox) {
    WinViewFixture f(Program::Brelund);
    Form1& form = f.program.form();
    form.Version.setBackColor(0xC0FFC0);
    form.ChFrequency[0].setBackColor(0xC0FFC0);
    form.ChStep[3].setBackColor(0xC0FFC0);
    // A read-only box asks for static colours; the combo box's edit field and list ask for theirs.
    const Painted version = paintedColours(f.control("Version"), WM_CTLCOLORSTATIC);
    EXPECT_EQ(version.back, kGreen);
    EXPECT_EQ(version.brush, kGreen);
    HWND entry = f.control("RxFrequency(0)");
    EXPECT_EQ(paintedColours(editOf(entry), WM_CTLCOLOREDIT).brush, kGreen);
    EXPECT_EQ(paintedColours(entry, WM_CTLCOLORLISTBOX).brush, kGreen);
    EXPECT_EQ(paintedColours(f.control("ChStep(3)"), WM_CTLCOLORSTATIC).brush, kGreen);
    EXPECT_EQ(paintedColours(f.control("P_Message"), WM_CTLCOLORSTATIC).text, RGB(0xFF, 0, 0));
    EXPECT_EQ(paintedColours(f.control("P_Message"), WM_CTLCOLORSTATIC).brush, GetSysColor(COLOR_BTNFACE));

    // The field's colour reaches the box's border, around the edit field too.
    f.view->show();
    UpdateWindow(f.view->window());
    RECT edit{};
    GetWindowRect(editOf(entry), &edit);
    MapWindowPoints(HWND_DESKTOP, entry, reinterpret_cast<POINT*>(&edit), 2);
    HDC dc = GetDC(entry);
    for (const POINT& margin :
         {POINT{2, edit.top + 3}, POINT{edit.left - 1, edit.top + 3}, POINT{8, edit.top - 1}})
        EXPECT_EQ(GetPixel(dc, margin.x, margin.y), kGreen) << margin.x << "," << margin.y;
    ReleaseDC(entry, dc);

    form.ChFrequency[0].setBackColor(kSystemWindowColor);
    EXPECT_EQ(paintedColours(editOf(entry), WM_CTLCOLOREDIT).brush, GetSysColor(COLOR_WINDOW));
}

TEST(WinViewBinding, ModelChangesTouchTheControlOnlyWhenItShowsSomethingElse) {
    WinViewFixture f(Program::Quorvex);
    Form1& form = f.program.form();
    const int before = f.view->controlWrites();
    form.MSFlexGrid1.setTextMatrix(1, 1, "5A");
    EXPECT_EQ(f.view->controlWrites(), before + 1);

    // The register refresh rewrites every cell with what it holds: no control write.
    f.program.app->IntervalTimer_Timer();
    const int refreshed = f.view->controlWrites();
    f.program.app->IntervalTimer_Timer();
    EXPECT_EQ(f.view->controlWrites(), refreshed);

    // A text that came from the control is not written back to it; one from the program is shown.
    HWND box = f.control("ChFrequency(1)");
    paste(editOf(box), L"868.1000");
    EXPECT_EQ(form.ChFrequency[1].text(), "868.1000");
    EXPECT_EQ(f.view->controlWrites(), refreshed);
    form.ChFrequency[1].setText("869.0000");
    EXPECT_EQ(textOf(box), "869.0000");
    EXPECT_EQ(f.view->controlWrites(), refreshed + 1);
}

TEST(WinViewBinding, TermAppendsAndFollowsTheEnd) {
    WinViewFixture f(Program::Quorvex);
    TextBox& term = f.program.form().Term;
    HWND edit = f.control("Term");
    term.setText("/V\r*V T1.00\r");
    term.setText("/V\r*V T1.00\r\n*D 123\r\n");
    term.setCaret(term.text().size());
    EXPECT_EQ(textOf(edit), "/V\r\n*V T1.00\r\n*D 123\r\n");
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(edit)));

    // A module's non-ASCII byte shows as the same character in Term and in Version.
    f.program.port.deliver("*V T1.0\xE9 ORVANE-MOD\r");
    EXPECT_EQ(textOf(f.control("Version")), "T1.0\xC3\xA9");
    EXPECT_NE(textOf(edit).find("T1.0\xC3\xA9"), std::string::npos);
}

TEST(WinViewWindow, DebugLayoutMovesAndTabCrossesFrames) {
    WinViewFixture f(Program::Brelund);
    Form1& form = f.program.form();
    form.form.setWidth(form.DebugWidth);
    form.form.setCaption(form.form.caption() + " (Debug mode!!)");
    form.Frame5.setLeft(6120);
    RECT outer{};
    GetWindowRect(f.view->window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 820);
    EXPECT_EQ(placeOf(f.control("Frame5")).x, 408);
    EXPECT_TRUE(textOf(f.view->window()).ends_with(" (Debug mode!!)"));

    // Tab goes on in the description's order, from the port frame's last control to the next frame.
    f.view->show();
    SetFocus(f.control("ComStart"));
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(f.view->dialogMessage(tab));
    EXPECT_EQ(GetFocus(), f.control("Version"));
}

TEST(WinViewWindow, TabSkipsTheControlsOfAFrameOffTheWindow) {
    for (const TabCase& c : kTabCases) {
        WinViewFixture f(Program::Quorvex);
        Form1& form = f.program.form();
        if (c.debugMode) {
            form.form.setWidth(form.DebugWidth);
            form.Frame5.setLeft(6120);
        }
        f.view->show();
        SetFocus(f.control(c.from));
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(f.view->dialogMessage(tab));
        HWND to = f.control(c.to);
        EXPECT_TRUE(GetFocus() == to || GetParent(GetFocus()) == to) << c.to << " debug mode " << c.debugMode;
    }
}

// A captionless tick box marks the focus around its box, as long as the focus is shown.
TEST(WinViewWindow, TheCaptionlessTickBoxShowsTheFocus) {
    WinViewFixture f(Program::Quorvex);
    f.view->show();
    SendMessageW(f.view->window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    HWND check = f.control("Check1");
    const auto pixels = [check] {
        UpdateWindow(check);
        RECT box{};
        GetClientRect(check, &box);
        std::vector<COLORREF> all;
        HDC dc = GetDC(check);
        for (int y = 0; y < box.bottom; ++y)
            for (int x = 0; x < box.right; ++x)
                all.push_back(GetPixel(dc, x, y));
        ReleaseDC(check, dc);
        return all;
    };
    SetFocus(f.control("LogFileName"));
    const std::vector<COLORREF> unfocused = pixels();
    SetFocus(check);
    EXPECT_NE(pixels(), unfocused);
}

TEST(WinViewWindow, AnotherDpiScalesTheWindowControlsAndFonts) {
    WinViewFixture f(Program::Quorvex);
    HWND serial = f.control("Serial");
    const auto fontAt96 = SendMessageW(serial, WM_GETFONT, 0, 0);
    f.view->topWindow().setDpi(144);  // a 150 % monitor
    RECT outer{};
    GetWindowRect(f.view->window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 606);
    EXPECT_EQ(placeOf(serial), (Pixels{360, 30, 158, 41}));
    EXPECT_EQ(placeOf(f.control("ChFrequency(3)")), (Pixels{213, 84, 128, 36}));
    EXPECT_NE(SendMessageW(serial, WM_GETFONT, 0, 0), fontAt96);
}

TEST(WinViewWindow, CloseAndSessionEndRunTheHandlerOnceAndMovesReachTheModel) {
    WinViewFixture f(Program::Quorvex);
    HWND window = f.view->window();
    SetWindowPos(window, nullptr, 120, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(f.program.form().form.left(), 1800);
    EXPECT_EQ(f.program.form().form.top(), 900);
    f.program.form().form.setLeft(2400);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 160);

    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(f.closes, 1);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace orvane::test
