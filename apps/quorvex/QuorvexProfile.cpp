#include "apps/quorvex/QuorvexProfile.h"

#include "core/window/Band868.h"

namespace orvane::quorvex {

Profile profile() {
    const Band band = band868();
    return {
        .programName = "Quorvex",
        .moduleName = "transmitter",
        .moduleType = 'T',
        .window =
            {
                .caption = "ORVANE-T(869M)_Setup",
                .writeAllInterval = 200,
                .patches = {},
                .debugLabels = {{"Label1", {360, 360, 855, 495}, "Factory test date:"},
                                {"Label2(4)", {3600, 360, 1095, 495}, "Freq. Offset Value:"}},
                .factoryDate = {1320, 360, 1815, 360},
                .offsetBox = Rect{4800, 360, 615, 360},
                .grid = {240, 960, 5295, 3615},
                .gridRowTitles = {"PLLINT", "PLLFRAC0", "PLLFRAC1", "PLLFRAC2", "POWCFG0", "POWCFG1", "FDEV",
                                  "GFDIV", "GFXOSC", "(Reserve)", "VAC0", "VAC1"},
                .term = {240, 4680, 5295, 2055},
                .channelLabels = {},
                .channelLabelTops = {},
            },
        .band = band,
        .refFrequency = 13,
        .commonParam = "0A,26,C8",
        .powcfg0Text = "1C",
        .powcfg1Text = "0A",
        .reserveText = "FF",
        .prescalerModulus = 0,
        .comNotOpenText = "COM Not Open!!",
        .usesCommonParams = true,
        .closesTestWithStar = true,
        .readEchoValues = 12,
        .testEchoValues = 12,
        .testEchoFirstPosition = 5,
        .writeEchoValues = 12,
        .writeChannelDecimal = false,
        .flashClearOnInfoLabel = false,
        .flashClearErrorText = "Flash Clear Error!!",
        .writeErrText = "Flash Write Error!!",
        .checksRaster = true,
        .defaultSetResetsColors = false,
        // The settings file's channel lines are the table file's.
        .settingsChannelComments = band.tableComments,
    };
}

}  // namespace orvane::quorvex
