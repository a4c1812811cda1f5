#include "apps/brelund/BrelundProfile.h"

#include "core/window/Band868.h"

namespace orvane::brelund {

namespace {

const std::string kSettingsComment = ",           Frequency: [868.0500 to 869.975 MHz] at ";

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

// Where the receiver's window differs from the shared description: two frames swap names, some
// controls sit elsewhere, and the channel entries are called RxFrequency.
std::vector<ControlPatch> patches() {
    std::vector<ControlPatch> all{
        {"Frame3", "Frame2", {}, {}},
        {"Frame2", "Frame3", {}, {}},
        {"Label4", {}, Rect{240, 420, 1215, 255}, {}},
        {"Label10", {}, Rect{2880, 480, 495, 255}, {}},
        {"Label6", "Label8", {}, {}},
        {"Line1", {}, {}, kBlack},
        {"Combo1", {}, Rect{1320, 360, 1095, 360}, {}},
        {"ComStart", {}, Rect{3720, 360, 1455, 375}, {}},
        {"P_Message", {}, Rect{240, 750, 3255, 255}, {}},
        {"L_Message", {}, Rect{240, 720, 4935, 255}, {}},
    };
    for (int ch = 0; ch < 4; ++ch)
        all.push_back({indexed("ChFrequency", ch), indexed("RxFrequency", ch), {}, {}});
    return all;
}

}  // namespace

Profile profile() {
    return {
        .programName = "Brelund",
        .moduleName = "receiver",
        .moduleType = 'R',
        .window =
            {
                .caption = "ORVANE-R(868M)_Setup",
                .writeAllInterval = 100,
                .patches = patches(),
                .debugLabels = {{"Label11", {1440, 240, 855, 495}, "Factory test date:"},
                                {"Label1", {1440, 2760, 1815, 255}, "Local Freq.   Step"},
                                {"Label13", {3600, 2760, 1695, 255}, "[   PLL Counter    ]"},
                                {"Label12", {1560, 3000, 1575, 255}, " [MHz]       [KHz]"},
                                {"Label14", {3720, 3000, 1575, 255}, " R        N        A"}},
                .factoryDate = {2520, 300, 1815, 360},
                .offsetBox = {},
                .grid = {240, 720, 5295, 1920},
                .gridRowTitles = {"Counter-R", "   ''     (MSB)", "Counter-M", "   ''     (MSB)",
                                  "Counter-A"},
                .term = {240, 4920, 5295, 1935},
                .channelLabels = {{"LoFrequency", 1200, 1095},
                                  {"ChStep", 2400, 855},
                                  {"Rcounter", 3480, 735},
                                  {"ProgramCounter", 4200, 735},
                                  {"SwallowCounter", 4920, 615}},
                .channelLabelTops = {4380, 4020, 3660, 3300},
            },
        .band = band868(),
        .refFrequency = 21.25,
        .commonParam = {},
        .powcfg0Text = {},
        .powcfg1Text = {},
        .reserveText = {},
        .prescalerModulus = 128,
        .comNotOpenText = "COM Not Open!",
        .usesCommonParams = false,
        .closesTestWithStar = false,
        .readEchoValues = 5,
        .testEchoValues = 3,
        .testEchoFirstPosition = 4,
        .writeEchoValues = 3,
        .writeChannelDecimal = true,
        .flashClearOnInfoLabel = true,
        .flashClearErrorText = "Flash Clear Error!",
        .writeErrText = "Flash Write Error!",
        .checksRaster = false,
        .defaultSetResetsColors = true,
        // The receiver's settings file words its band a little differently, a typing slip included.
        .settingsChannelComments = {kSettingsComment + "S2/S1=Short/Short",
                                    kSettingsComment + "S2/S1=Short/Open ",
                                    kSettingsComment + "S2/S1=Open /Short",
                                    ",           Frequency: [868.0500 tp 869.975 MHz] at S2/S1=Open /Open "},
    };
}

}  // namespace orvane::brelund
