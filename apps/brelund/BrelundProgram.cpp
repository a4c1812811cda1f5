#include "apps/brelund/BrelundProgram.h"

#include "apps/brelund/BrelundRegisterModel.h"
#include "core/window/WindowDescription.h"

#include <array>

namespace orvane::brelund {

Profile profile() {
    static BrelundRegisterModel model;
    Profile p;
    p.exeName = "Brelund";
    p.initialCaption = "ORVANE-R(868M)_Setup";
    p.moduleType = 'R';
    p.refFrequency = 21.25;
    p.transmitterConstants = false;
    p.prescalerModulus = 128;
    p.hasOffsetBox = false;
    p.hasStepLabels = true;
    p.comNotOpenText = "COM Not Open!";
    p.usesCommonParams = false;
    p.closesTestWithStar = false;
    p.registerRows = 5;
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
    const std::string band = ",           Frequency: [868.0500 to 869.975 MHz] at ";
    p.settingsChannelComments = {band + "S2/S1=Short/Short", band + "S2/S1=Short/Open ",
                                 band + "S2/S1=Open /Short",
                                 ",           Frequency: [868.0500 tp 869.975 MHz] at S2/S1=Open /Open "};
    p.registerModel = &model;
    return p;
}

namespace {

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

}  // namespace

void describeWindow(Form1& f) {
    describeCommonWindow(f, "ORVANE-R(868M)_Setup");
    f.FrameInfo.name = "Frame2";
    f.FrameChannels.name = "Frame3";
    f.WriteAllTimer.setInterval(100);

    // Port select and information positions that differ.
    for (auto& decoration : f.decorations) {
        if (decoration->name == "Label4") decoration->setGeometry({240, 420, 1215, 255});
        if (decoration->name == "Label10") decoration->setTop(480);
        if (decoration->name == "Label6") decoration->name = "Label8";
        if (decoration->name == "Line1") decoration->setForeColor(kBlack);
    }
    f.Combo1.setGeometry({1320, 360, 1095, 360});
    f.ComStart.setGeometry({3720, 360, 1455, 375});
    f.P_Message.setWidth(3255);
    f.L_Message.setWidth(4935);
    for (int ch = 0; ch < 4; ++ch)
        f.ChFrequency[static_cast<std::size_t>(ch)].name = indexed("RxFrequency", ch);

    // Debug frame.
    place(f.addLabel(), "Label11", &f.Frame5, {1440, 240, 855, 495}, "Factory test date:");
    f.FactoryDate.setGeometry({2520, 300, 1815, 360});
    f.MSFlexGrid1.setGeometry({240, 720, 5295, 1920});
    f.MSFlexGrid1.setShape(6, 5);
    f.Term.setGeometry({240, 4920, 5295, 1935});
    place(f.addLabel(), "Label1", &f.Frame5, {1440, 2760, 1815, 255}, "Local Freq.   Step");
    place(f.addLabel(), "Label13", &f.Frame5, {3600, 2760, 1695, 255}, "[   PLL Counter    ]");
    place(f.addLabel(), "Label12", &f.Frame5, {1560, 3000, 1575, 255}, " [MHz]       [KHz]");
    place(f.addLabel(), "Label14", &f.Frame5, {3720, 3000, 1575, 255}, " R        N        A");
    static constexpr std::array<int, 4> kRowTops{4380, 4020, 3660, 3300};
    struct Column {
        std::array<Label, 4>* labels;
        const char* name;
        int left;
        int width;
    };
    const std::array<Column, 5> columns{{{&f.LoFrequency, "LoFrequency", 1200, 1095},
                                         {&f.ChStep, "ChStep", 2400, 855},
                                         {&f.Rcounter, "Rcounter", 3480, 735},
                                         {&f.ProgramCounter, "ProgramCounter", 4200, 735},
                                         {&f.SwallowCounter, "SwallowCounter", 4920, 615}}};
    for (const Column& column : columns) {
        for (int ch = 3; ch >= 0; --ch) {
            Label& label = (*column.labels)[static_cast<std::size_t>(ch)];
            place(label, indexed(column.name, ch), &f.Frame5,
                  {column.left, kRowTops[static_cast<std::size_t>(ch)], column.width, 255});
            label.setAlignment(Align::Center);
            label.setBackColor(0xE0E0E0);
        }
    }
}

}  // namespace orvane::brelund
