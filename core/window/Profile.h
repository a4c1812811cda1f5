#pragma once

#include "core/window/Control.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// A change a program makes to a control of the shared window description, found by the name the
// control has there.
struct ControlPatch {
    std::string name;
    std::optional<std::string> rename;
    std::optional<Rect> geometry;
    std::optional<Color> foreColor;
};

// A caption without behaviour in the debug frame.
struct LabelSpec {
    std::string name;
    Rect geometry;
    std::string caption;
};

// One of the per-channel label arrays of the debug frame ("LoFrequency", "ChStep", "Rcounter",
// "ProgramCounter", "SwallowCounter"), placed in a column.
struct LabelColumn {
    std::string name;
    int left = 0;
    int width = 0;
};

// How a program's window differs from the description both programs share.
struct WindowLayout {
    std::string caption;  // before start-up appends the version
    int writeAllInterval = 0;
    std::vector<ControlPatch> patches;  // names, positions and colours that differ
    // The debug frame.
    std::vector<LabelSpec> debugLabels;
    Rect factoryDate;
    std::optional<Rect> offsetBox;  // FOffsetV, where the program has it
    Rect grid;
    std::vector<std::string> gridRowTitles;  // column 0 below "Register": one row per register
    Rect term;
    std::vector<LabelColumn> channelLabels;  // none, or the receiver's label arrays
    std::array<int, 4> channelLabelTops{};   // their tops, indexed by channel
};

// The band of the module a program serves: the entries' lists, validation, stepping, defaults
// and the table file's comments follow it.
struct Band {
    double low = 0;  // MHz, both edges inclusive
    double high = 0;
    double step = 0;                      // MHz between list texts, and of one up or down step
    double rasterHz = 0;                  // the raster entries are checked against (where the program checks)
    std::array<std::string, 4> defaults;  // indexed by channel
    std::array<std::string, 4> tableComments;  // after each channel's value, from its comma on
};

// Everything in which the programs differ, said once: the core reads these fields instead of
// asking which program it is. A program is a profile and a register model.
struct Profile {
    std::string programName;  // "Quorvex"
    std::string moduleName;   // "transmitter"
    char moduleType = 0;      // type letter the "*V" reply must carry

    WindowLayout window;
    Band band;

    // Start-up values of the window-level constants (a program without one leaves it empty).
    double refFrequency = 0;
    std::string commonParam;
    std::string powcfg0Text;
    std::string powcfg1Text;
    std::string reserveText;
    short prescalerModulus = 0;

    // Link and protocol.
    std::string comNotOpenText;
    bool usesCommonParams = false;       // "/M" and "/M " sent, "*M" replies handled
    bool closesTestWithStar = false;     // RTS off and a bare "*" at the end of a test
    int readEchoValues = 0;              // values compared in "*R"
    int testEchoValues = 0;              // values compared in "*T"
    int testEchoFirstPosition = 0;       // 1-based position of the first "*T" value
    int writeEchoValues = 0;             // values compared in "*W"
    bool writeChannelDecimal = false;    // "*W" channel field read as decimal
    bool flashClearOnInfoLabel = false;  // "*C" error shown in C_Message instead of T_Message
    std::string flashClearErrorText;
    std::string writeErrText;  // text of an "*W Err" line

    // Channel frequencies.
    bool checksRaster = false;  // raster test in the entry validation
    bool defaultSetResetsColors = false;

    // Settings file comments of CH0F .. CH3F (each begins with the comma that ends the value).
    std::array<std::string, 4> settingsChannelComments;

    // Registers sent with "/T " per channel: one per grid row below the titles.
    int registerRows() const { return static_cast<int>(window.gridRowTitles.size()); }
    bool hasOffsetBox() const { return window.offsetBox.has_value(); }
    // The receiver's step labels, coloured with their entries.
    bool hasStepLabels() const { return !window.channelLabels.empty(); }
};

}  // namespace orvane
