#include "apps/quorvex/QuorvexProfile.h"

namespace orvane::quorvex {

namespace {

const std::string kBandComment = ",           Frequency:  [868.0500 to 869.9750 MHz] at ";

}  // namespace

Profile profile() {
    Profile p;
    p.programName = "Quorvex";
    p.moduleName = "transmitter";
    p.moduleType = 'T';

    WindowLayout& w = p.window;
    w.caption = "ORVANE-T(869M)_Setup";
    w.writeAllInterval = 200;
    w.debugLabels = {{"Label1", {360, 360, 855, 495}, "Factory test date:"},
                     {"Label2(4)", {3600, 360, 1095, 495}, "Freq. Offset Value:"}};
    w.factoryDate = {1320, 360, 1815, 360};
    w.offsetBox = Rect{4800, 360, 615, 360};
    w.grid = {240, 960, 5295, 3615};
    w.gridRowTitles = {"PLLINT", "PLLFRAC0", "PLLFRAC1", "PLLFRAC2",  "POWCFG0", "POWCFG1",
                       "FDEV",   "GFDIV",    "GFXOSC",   "(Reserve)", "VAC0",    "VAC1"};
    w.term = {240, 4680, 5295, 2055};

    p.band = {868.05,
              869.975,
              0.0125,
              12500,
              {"869.9250", "869.8000", "868.3000", "869.7500"},
              {kBandComment + "SS/S1=Short/Short", kBandComment + "S2/S1=Short/Open ",
               kBandComment + "S2/S1=Open /Short", kBandComment + "S2/S1=Open /Open "}};

    p.refFrequency = 13;
    p.commonParam = "0A,26,C8";
    p.powcfg0Text = "1C";
    p.powcfg1Text = "0A";
    p.reserveText = "FF";

    p.comNotOpenText = "COM Not Open!!";
    p.usesCommonParams = true;
    p.closesTestWithStar = true;
    p.readEchoValues = 12;
    p.testEchoValues = 12;
    p.testEchoFirstPosition = 5;
    p.writeEchoValues = 12;
    p.writeChannelDecimal = false;
    p.flashClearOnInfoLabel = false;
    p.flashClearErrorText = "Flash Clear Error!!";
    p.writeErrText = "Flash Write Error!!";
    p.checksRaster = true;
    p.defaultSetResetsColors = false;
    // The settings file's channel lines are the table file's.
    p.settingsChannelComments = p.band.tableComments;
    return p;
}

}  // namespace orvane::quorvex
