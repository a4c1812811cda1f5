// The Windows view's bindings, driven as the system drives them: window messages for clicks,
// typing, list picks, focus and closing; texts, colours and states read back from the controls.
#include "platform/win/view/WinDialogs.h"
#include "tests/viewcases/BindingCases.h"
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

bool isLabel(HWND hwnd) {
    wchar_t type[16] = {};
    GetClassNameW(hwnd, type, 16);
    return std::wstring(type) == L"Static";
}

HWND editOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info.hwndItem;
}

TEST(WinViewConversion, DialogFilterAndEditLines) {
    using namespace std::string_literals;
    EXPECT_EQ(win::toDialogFilter("Freq. Table File(*.tbl)|*.tbl|All File|*.*|"),
              L"Freq. Table File(*.tbl)\0*.tbl\0All File\0*.*\0\0"s);
    EXPECT_EQ(win::toEditLines("/V\r*V T1.00\r\n*D\n\xC3\xA9"), L"/V\r\n*V T1.00\r\n*D\r\n\u00E9");
    EXPECT_EQ(win::toColorRef(0xC0FFC0), kGreen);
    EXPECT_EQ(win::toColorRef(kSystemWindowColor), GetSysColor(COLOR_WINDOW));
}

// The shared binding scenarios on the native controls, by the window messages the system sends.
class WinDriver : public ViewDriver {
public:
    explicit WinDriver(Program which) : f(which) {}

    TestProgram& program() override { return f.program; }
    void show() override { f.view->show(); }
    void click(const std::string& name) override { send(name, BM_CLICK); }
    void focus(const std::string& name) override { SetFocus(field(name)); }
    bool hasFocus(const std::string& name) override {
        return GetFocus() == f.control(name) || GetParent(GetFocus()) == f.control(name);
    }
    void type(const std::string& name, const std::string& text) override {
        SendMessageW(field(name), EM_SETSEL, 0, -1);
        for (wchar_t c : win::toWide(text))
            SendMessageW(field(name), WM_CHAR, c, 0);
    }
    void paste(const std::string& name, const std::string& text) override {
        SendMessageW(field(name), EM_SETSEL, 0, -1);
        SendMessageW(field(name), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(win::toWide(text).c_str()));
    }
    void tab() override {
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(f.view->dialogMessage(tab));
    }
    // What the focused edit field of a combo box hears from a key or a wheel notch.
    void move(const std::string& name, BoxMove move) override {
        static const WPARAM keys[] = {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR};
        const int wheel = move == BoxMove::WheelAway ? WHEEL_DELTA : -WHEEL_DELTA;
        if (move == BoxMove::WheelAway || move == BoxMove::WheelToward)
            SendMessageW(field(name), WM_MOUSEWHEEL, MAKEWPARAM(0, wheel), 0);
        else
            SendMessageW(field(name), WM_KEYDOWN, keys[static_cast<int>(move)], 0);
    }
    // Over the box and over its edit field, neither of them focused.
    void wheelOver(const std::string& name, int notches) override {
        for (HWND part : {f.control(name), field(name)})
            SendMessageW(part, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), 0);
    }

    bool enabled(const std::string& name) override { return IsWindowEnabled(f.control(name)) != FALSE; }
    bool checked(const std::string& name) override { return send(name, BM_GETCHECK) == BST_CHECKED; }
    std::string text(const std::string& name) override {
        std::string text = textOf(name == "Form1" ? f.view->window() : f.control(name));
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
            text.erase(at, 1);
        return text;
    }
    bool caretAtEnd(const std::string& name) override {
        DWORD end = 0;
        send(name, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
        return end == static_cast<DWORD>(GetWindowTextLengthW(f.control(name)));
    }
    // A read-only box and a label ask for static colours; a combo box's list asks for its own.
    bool filledWith(const std::string& name, Color color) override {
        HWND part = field(name);
        const bool fixed = (GetWindowLongPtrW(part, GWL_STYLE) & ES_READONLY) != 0 || isLabel(part);
        const COLORREF wanted = win::toColorRef(color);
        if (part != f.control(name) && color != kSystemWindowColor &&
            paintedColours(f.control(name), WM_CTLCOLORLISTBOX).brush != wanted)
            return false;
        return paintedColours(part, fixed ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT).brush == wanted;
    }
    bool writtenIn(const std::string& name, Color color) override {
        return paintedColours(f.control(name), WM_CTLCOLORSTATIC).text == win::toColorRef(color);
    }
    std::string cell(const std::string& grid, int row, int column) override {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 64;
        send(grid, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return win::narrow(text);
    }

    int items(const std::string& name) override { return static_cast<int>(send(name, CB_GETCOUNT)); }
    std::string item(const std::string& name, int index) override {
        wchar_t text[64] = {};
        send(name, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return win::narrow(text);
    }
    int currentItem(const std::string& name) override { return static_cast<int>(send(name, CB_GETCURSEL)); }
    int findItem(const std::string& name, const std::string& text) override {
        const std::wstring wide = win::toWide(text);
        return static_cast<int>(
            send(name, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
    }
    // What the parent hears when the user picks an item from a combo box's list.
    void pick(const std::string& name, int index) override {
        send(name, CB_SETCURSEL, static_cast<WPARAM>(index));
        SendMessageW(f.view->window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(f.control(name)), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(f.control(name)));
    }
    void openList(const std::string& name, bool open) override { send(name, CB_SHOWDROPDOWN, open); }
    int listRows(const std::string& name) override {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(f.control(name), &info);
        RECT list{};
        GetClientRect(info.hwndList, &list);
        return list.bottom / static_cast<int>(send(name, CB_GETITEMHEIGHT));
    }
    bool listShowsCurrent(const std::string& name) override {
        const int top = static_cast<int>(send(name, CB_GETTOPINDEX));
        return currentItem(name) >= top && currentItem(name) < top + listRows(name);
    }
    std::string pickedToolTip(const std::string& name) override {
        wchar_t text[256] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.hwnd = GetParent(f.control(name));
        info.uId = reinterpret_cast<UINT_PTR>(f.control(name));
        info.lpszText = text;
        SendMessageW(f.view->toolTip(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        return win::narrow(text);
    }

    int outerWidth() override { return outer().right - outer().left; }
    int placeX(const std::string& name) override {
        return name == "Form1" ? outer().left : placeOf(f.control(name)).x;
    }
    void moveWindow(int x, int y) override {
        SetWindowPos(f.view->window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    void close() override { SendMessageW(f.view->window(), WM_CLOSE, 0, 0); }
    int closes() override { return f.closes; }
    int writes() override { return f.view->controlWrites(); }

private:
    LRESULT send(const std::string& name, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(f.control(name), message, wParam, lParam);
    }
    // The field that takes the keys: a combo box's edit field, or the control itself.
    HWND field(const std::string& name) {
        HWND edit = editOf(f.control(name));
        return edit ? edit : f.control(name);
    }
    RECT outer() {
        RECT r{};
        GetWindowRect(f.view->window(), &r);
        return r;
    }

    WinViewFixture f;
};

class WinViewBindingCases : public ::testing::TestWithParam<BindingCase> {};

TEST_P(WinViewBindingCases, Runs) {
    WinDriver driver(GetParam().program);
    GetParam().run(driver);
}

INSTANTIATE_TEST_SUITE_P(Win, WinViewBindingCases, ::testing::ValuesIn(bindingCases()),
                         [](const auto& param) { return param.param.name; });

// The field's colour reaches the box's border, around the edit field too.
TEST(WinViewBinding, AColouredBoxIsColouredToItsBorder) {
    WinViewFixture f(Program::Brelund);
    f.program.form().ChFrequency[0].setBackColor(kColorGreen);
    f.view->show();
    HWND entry = f.control("RxFrequency(0)");
    UpdateWindow(f.view->window());
    RECT edit{};
    GetWindowRect(editOf(entry), &edit);
    MapWindowPoints(HWND_DESKTOP, entry, reinterpret_cast<POINT*>(&edit), 2);
    HDC dc = GetDC(entry);
    for (const POINT& margin :
         {POINT{2, edit.top + 3}, POINT{edit.left - 1, edit.top + 3}, POINT{8, edit.top - 1}})
        EXPECT_EQ(GetPixel(dc, margin.x, margin.y), kGreen) << margin.x << "," << margin.y;
    ReleaseDC(entry, dc);
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

TEST(WinViewWindow, SessionEndThenCloseRunsTheHandlerOnce) {
    WinViewFixture f(Program::Quorvex);
    HWND window = f.view->window();
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(f.closes, 1);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace orvane::test
