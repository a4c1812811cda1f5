// The Windows view of both programs after start-up, checked against the same table as the Qt view
// (tests/viewcases/WindowCases.h): names, texts, enabled states and geometry, read back from the native
// controls.
#include "tests/win/WinViewFixture.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace orvane::test {
namespace {

std::string cellOf(HWND grid, int row, int column) {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(grid, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return win::narrow(text);
}

bool readOnly(HWND edit) {
    return (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0;
}

class WinWindowView : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WinWindowView, ShowsTheWindowInItsStartState) {
    const WindowCase& c = GetParam();
    WinViewFixture f(c.program, WinViewFixture::ShownFirst{});
    HWND window = f.view->window();
    // The title bar says the final caption from the start, before start-up adds the version.
    EXPECT_EQ(f.titleInStartUp, c.caption);
    EXPECT_EQ(textOf(window), c.caption);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, kOuterSize.width);
    EXPECT_EQ(outer.bottom - outer.top, kOuterSize.height);

    for (const Expected& e : c.controls) {
        SCOPED_TRACE(e.name);
        HWND hwnd = std::string(e.name) == "Form1" ? window : f.control(e.name);
        ASSERT_NE(hwnd, nullptr);
        if (e.text) {
            EXPECT_EQ(textOf(hwnd), e.text);
        }
        EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, e.enabled);
        if (!e.pixels.empty()) {
            EXPECT_EQ(placeOf(hwnd), e.pixels);
        }
    }
    for (const char* name : c.absent)
        EXPECT_EQ(f.view->control(name), nullptr) << name;

    HWND grid = f.control("MSFlexGrid1");
    ASSERT_NE(grid, nullptr);
    HWND header = reinterpret_cast<HWND>(SendMessageW(grid, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), kGridColumns);
    EXPECT_EQ(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0), c.gridRows);
    EXPECT_EQ(cellOf(grid, 0, 0), "Register");
    EXPECT_EQ(cellOf(grid, 0, 4), "Ch.3");
    EXPECT_EQ(SendMessageW(grid, LVM_GETCOLUMNWIDTH, 0, 0), kGridTitleColumnPixels);
    EXPECT_EQ(SendMessageW(grid, LVM_GETCOLUMNWIDTH, 1, 0), kGridChannelColumnPixels);
    LVCOLUMNW format{};
    format.mask = LVCF_FMT;
    SendMessageW(grid, LVM_GETCOLUMNW, 2, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    EXPECT_NE(GetWindowLongPtrW(grid, GWL_STYLE) & LVS_NOCOLUMNHEADER, 0);

    EXPECT_EQ(placeOf(f.control("Frame5")).x, kDebugFrameHiddenX);
    EXPECT_TRUE(readOnly(f.control("Term")));
    // What the module sent can be copied but never typed over.
    for (const char* box : {"Version", "Serial", "FactoryDate"})
        EXPECT_TRUE(readOnly(f.control(box))) << box;
    EXPECT_FALSE(readOnly(f.control("LogFileName")));
}

// Each caption, laid out as the label lays it out (in its font, wrapped at its width), fits the
// label.
TEST_P(WinWindowView, ShowsEveryCaptionWhole) {
    WinViewFixture f(GetParam().program);
    for (const int dpi : kCaptionDpis) {
        f.view->topWindow().setDpi(dpi);
        for (const Control* control : captionedLabels(f.program.form())) {
            HWND label = f.control(control->name);
            RECT box{};
            GetClientRect(label, &box);
            RECT needed = box;
            const std::wstring text = win::toWide(control->caption());
            HDC dc = GetDC(label);
            const HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
            const bool oneLine = (GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
            DrawTextW(dc, text.c_str(), -1, &needed,
                      DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (oneLine ? DT_SINGLELINE : DT_WORDBREAK));
            SelectObject(dc, old);
            ReleaseDC(label, dc);
            EXPECT_LE(needed.right, box.right) << control->name << " at " << dpi;
            EXPECT_LE(needed.bottom, box.bottom) << control->name << " at " << dpi;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WinWindowView, ::testing::ValuesIn(kWindowCases),
                         [](const auto& param) { return nameOf(param.param.program); });

}  // namespace
}  // namespace orvane::test
