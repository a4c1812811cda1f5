#include "apps/brelund/BrelundProfile.h"

namespace orvane::brelund {

namespace {

const std::string kTableComment = ",           Frequency:  [868.0500 to 869.9750 MHz] at ";
const std::string kSettingsComment = ",           Frequency: [868.0500 to 869.975 MHz] at ";

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

}  // namespace

Profile profile() {
    Profile p;
    p.programName = "Brelund";
    p.moduleName = "receiver";
    p.moduleType = 'R';

    WindowLayout& w = p.window;
    w.caption = "ORVANE-R(868M)_Setup";
    w.writeAllInterval = 100;
    w.patches = {
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
        w.patches.push_back({indexed("ChFrequency", ch), indexed("RxFrequency", ch), {}, {}});
    w.debugLabels = {{"Label11", {1440, 240, 855, 495}, "Factory test date:"},
                     {"Label1", {1440, 2760, 1815, 255}, "Local Freq.   Step"},
                     {"Label13", {3600, 2760, 1695, 255}, "[   PLL Counter    ]"},
                     {"Label12", {1560, 3000, 1575, 255}, " [MHz]       [KHz]"},
                     {"Label14", {3720, 3000, 1575, 255}, " R        N        A"}};
    w.factoryDate = {2520, 300, 1815, 360};
    w.grid = {240, 720, 5295, 1920};
    w.gridRowTitles = {"Counter-R", "   ''     (MSB)", "Counter-M", "   ''     (MSB)", "Counter-A"};
    w.term = {240, 4920, 5295, 1935};
    w.channelLabels = {{"LoFrequency", 1200, 1095},
                       {"ChStep", 2400, 855},
                       {"Rcounter", 3480, 735},
                       {"ProgramCounter", 4200, 735},
                       {"SwallowCounter", 4920, 615}};
    w.channelLabelTops = {4380, 4020, 3660, 3300};

    p.band = {868.05,
              869.975,
              0.0125,
              12500,
              {"869.9250", "869.8000", "868.3000", "869.7500"},
              {kTableComment + "SS/S1=Short/Short", kTableComment + "S2/S1=Short/Open ",
               kTableComment + "S2/S1=Open /Short", kTableComment + "S2/S1=Open /Open "}};

    p.refFrequency = 21.25;
    p.prescalerModulus = 128;

    p.comNotOpenText = "COM Not Open!";
    p.usesCommonParams = false;
    p.closesTestWithStar = false;
    p.readEchoValues = 5;
    p.testEchoValues = 3;
    p.testEchoFirstPosition = 4;
    p.writeEchoValues = 3;
    p.writeChannelDecimal = true;
    p.flashClearOnInfoLabel = true;
    p.flashClearErrorText = "Flash Clear Error!";
    p.writeErrText = "Flash Write Error!";
    p.checksRaster = false;
    p.defaultSetResetsColors = true;
    p.settingsChannelComments = {kSettingsComment + "S2/S1=Short/Short",
                                 kSettingsComment + "S2/S1=Short/Open ",
                                 kSettingsComment + "S2/S1=Open /Short",
                                 ",           Frequency: [868.0500 tp 869.975 MHz] at S2/S1=Open /Open "};
    return p;
}

}  // namespace orvane::brelund
