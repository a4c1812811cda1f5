#pragma once

// What both programs' windows show after start-up, as one table for both views: the Qt view
// (tests/qtview/WindowViewTest.cpp) and the Windows view (tests/win/WinWindowViewTest.cpp) check
// every row against their own controls. Pixel geometry is at 96 dpi, relative to the control's
// frame (or, for frames, to the window's client area).

#include "tests/support/TestProgram.h"

#include <vector>

namespace orvane::test {

struct Pixels {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width == 0 && height == 0; }
};

struct Expected {
    const char* name;
    const char* text;  // nullptr: not checked
    bool enabled;
    Pixels pixels;  // empty: not checked
};

struct WindowCase {
    Program program;
    const char* caption;
    int gridRows;
    std::vector<Expected> controls;
    std::vector<const char*> absent;
};

// The window's outer size at 96 dpi, frame and title bar included.
inline constexpr Pixels kOuterSize{0, 0, 404, 522};
// The debug frame stands off the client area until debug mode moves it in.
inline constexpr int kDebugFrameHiddenX = -400;
// The register grid: a title column and one per channel, the title row included in the rows.
inline constexpr int kGridColumns = 5;
inline constexpr int kGridTitleColumnPixels = 80;
inline constexpr int kGridChannelColumnPixels = 66;

// Where Tab goes from a control, with the debug frame off the window or, in debug mode, on it: a
// control not shown takes no focus.
struct TabCase {
    bool debugMode;
    const char* from;
    const char* to;
};

inline const std::vector<TabCase> kTabCases{
    {false, "LogFileName", "Combo1"},
    {true, "LogFileName", "FactoryDate"},
    {true, "ComStart", "Version"},
};

// The dpis at which every caption must show whole (96: 100 %, 144: 150 %).
inline constexpr int kCaptionDpis[] = {96, 144};

// The labels that show a caption after start-up (the status labels start empty).
inline std::vector<const Control*> captionedLabels(Form1& form) {
    std::vector<const Control*> labels;
    for (const Control* control : form.controls())
        if (control->present && control->kind() == Kind::Label && !control->caption().empty())
            labels.push_back(control);
    return labels;
}

inline const std::vector<Expected> kCommonControls{
    {"Frame1", "Port select", true, {16, 8, 361, 73}},
    {"Combo1", "", true, {}},
    {"ComStart", "Open", true, {}},
    {"GetInfoSW", "Get Info.", false, {}},
    {"Label5", "FW Ver.", true, {}},
    {"Serial", "", true, {240, 20, 105, 27}},
    {"ChTestSW(3)", "Test", false, {288, 56, 57, 25}},
    {"ChTestSW(0)", "Test", false, {288, 128, 57, 25}},
    {"Fup(2)", "", true, {}},
    {"Fdown(1)", "", true, {}},
    {"FreqLoadSaveSW(0)", "Load", true, {}},
    {"FreqLoadSaveSW(1)", "Save", true, {}},
    {"FreqDefaultSW", "Default Set", true, {}},
    {"ChCheckSW", "Check", false, {}},
    {"ChWriteSW", "Write", false, {}},
    {"T_Message", "", true, {}},
    {"Check1", nullptr, true, {}},
    {"LogFileName", nullptr, true, {40, 24, 305, 24}},
    {"Frame4", "Log File", true, {16, 400, 361, 73}},
    {"FactoryDate", "", true, {}},
    {"Line1", nullptr, true, {}},
};

inline std::vector<Expected> withCommon(std::vector<Expected> extra) {
    std::vector<Expected> all = kCommonControls;
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

inline const std::vector<WindowCase> kWindowCases{
    WindowCase{Program::Quorvex,
               "ORVANE-T(869M)_Setup   Ver.=1.5.2",
               13,
               withCommon({{"Form1", "ORVANE-T(869M)_Setup   Ver.=1.5.2", true, {}},
                           {"Frame3", "Get Target Information", true, {}},
                           {"Frame2", "Ch Setting", true, {}},
                           {"ChFrequency(3)", nullptr, true, {142, 56, 85, 24}},
                           {"Label6", "Freq. [MHz]    Up  Down", true, {}},
                           {"FOffsetV", "", true, {}},
                           {"Label1", "Factory test date:", true, {24, 24, 57, 33}},
                           {"LogFileName", "Quorvex.log", true, {}}}),
               {"LoFrequency(0)", "ChStep(3)", "RxFrequency(0)", "Label8", "Label11"}},
    WindowCase{Program::Brelund,
               "ORVANE-R(868M)_Setup   Ver.=1.5.2",
               6,
               withCommon({{"Frame2", "Get Target Information", true, {}},
                           {"Frame3", "Ch Setting", true, {}},
                           {"RxFrequency(0)", nullptr, true, {}},
                           {"Label8", "Freq. [MHz]    Up  Down", true, {}},
                           {"ComStart", "Open", true, {248, 24, 97, 25}},
                           {"ChStep(2)", nullptr, true, {160, 244, 57, 17}},
                           {"SwallowCounter(0)", nullptr, true, {}},
                           {"Label11", "Factory test date:", true, {}},
                           {"LogFileName", "Brelund.log", true, {}}}),
               {"FOffsetV", "ChFrequency(0)", "Label6", "Label2(4)"}},
};

}  // namespace orvane::test
