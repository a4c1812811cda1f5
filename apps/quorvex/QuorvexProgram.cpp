#include "apps/quorvex/QuorvexProgram.h"

#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/window/WindowDescription.h"

namespace orvane::quorvex {

Profile profile() {
    static QuorvexRegisterModel model;
    Profile p;
    p.exeName = "Quorvex";
    p.initialCaption = "ORVANE-T(869M)_Setup";
    p.moduleType = 'T';
    p.refFrequency = 13;
    p.transmitterConstants = true;
    p.hasOffsetBox = true;
    p.hasStepLabels = false;
    p.comNotOpenText = "COM Not Open!!";
    p.usesCommonParams = true;
    p.closesTestWithStar = true;
    p.registerRows = 12;
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
    const std::string band = ",           Frequency:  [868.0500 to 869.9750 MHz] at ";
    p.settingsChannelComments = {band + "SS/S1=Short/Short", band + "S2/S1=Short/Open ",
                                 band + "S2/S1=Open /Short", band + "S2/S1=Open /Open "};
    p.registerModel = &model;
    return p;
}

void describeWindow(Form1& f) {
    describeCommonWindow(f, "ORVANE-T(869M)_Setup");
    f.WriteAllTimer.setInterval(200);

    place(f.addLabel(), "Label1", &f.Frame5, {360, 360, 855, 495}, "Factory test date:");
    f.FactoryDate.setGeometry({1320, 360, 1815, 360});
    place(f.addLabel(), "Label2(4)", &f.Frame5, {3600, 360, 1095, 495}, "Freq. Offset Value:");
    place(f.FOffsetV, "FOffsetV", &f.Frame5, {4800, 360, 615, 360});
    f.FOffsetV.setAlignment(Align::Center);
    f.FOffsetV.setBackColor(0xE0E0E0);
    f.MSFlexGrid1.setGeometry({240, 960, 5295, 3615});
    f.MSFlexGrid1.setShape(13, 5);
    f.Term.setGeometry({240, 4680, 5295, 2055});
}

}  // namespace orvane::quorvex
