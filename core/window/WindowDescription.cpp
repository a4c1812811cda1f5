#include "core/window/WindowDescription.h"

#include "core/window/Form1.h"

#include <array>
#include <utility>
#include <vector>

namespace orvane {

namespace {

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

void statusLabel(Label& label, const std::string& name, Control* frame, Rect geometry) {
    place(label, name, frame, geometry);
    label.setForeColor(kRed);
}

// A box the module's values go into: centred, grey until a value comes.
void infoBox(Control& box, const std::string& name, Control* frame, Rect geometry) {
    place(box, name, frame, geometry);
    box.setAlignment(Align::Center);
    box.setBackColor(kColorGray);  // no value from the module before any reply
}

// A text box the module's identity goes into: what the module sent, never typed over (it can
// still be selected and copied).
void identityBox(TextBox& box, const std::string& name, Control* frame, Rect geometry) {
    infoBox(box, name, frame, geometry);
    box.readOnly = true;
}

void timer(Timer& t, const std::string& name, int interval, bool enabled) {
    t.name = name;
    t.present = true;
    t.setInterval(interval);
    t.setTimerEnabled(enabled);
}

}  // namespace

void place(Control& control, const std::string& name, Control* frame, Rect geometry,
           const std::string& caption) {
    control.name = name;
    control.parent = frame;
    control.present = true;
    control.setGeometry(geometry);
    control.setCaption(caption);
}

void describeWindow(Form1& f, const WindowLayout& layout) {
    describeCommonWindow(f, layout.caption);
    f.WriteAllTimer.setInterval(layout.writeAllInterval);

    // Every patch names a control as the shared description named it, so that renames cannot
    // redirect a later patch.
    std::vector<std::pair<Control*, const ControlPatch*>> targets;
    const std::vector<Control*> all = f.controls();
    for (const ControlPatch& patch : layout.patches) {
        for (Control* control : all) {
            if (control->present && control->name == patch.name) targets.emplace_back(control, &patch);
        }
    }
    for (const auto& [control, patch] : targets) {
        if (patch->rename) control->name = *patch->rename;
        if (patch->geometry) control->setGeometry(*patch->geometry);
        if (patch->foreColor) control->setForeColor(*patch->foreColor);
    }

    for (const LabelSpec& label : layout.debugLabels)
        place(f.addLabel(), label.name, &f.Frame5, label.geometry, label.caption);
    f.FactoryDate.setGeometry(layout.factoryDate);
    if (layout.offsetBox) identityBox(f.FOffsetV, "FOffsetV", &f.Frame5, *layout.offsetBox);
    f.MSFlexGrid1.setGeometry(layout.grid);
    f.MSFlexGrid1.setShape(static_cast<int>(layout.gridRowTitles.size()) + 1, 5);
    f.Term.setGeometry(layout.term);

    const std::pair<const char*, std::array<Label, 4>*> arrays[] = {{"LoFrequency", &f.LoFrequency},
                                                                    {"ChStep", &f.ChStep},
                                                                    {"Rcounter", &f.Rcounter},
                                                                    {"ProgramCounter", &f.ProgramCounter},
                                                                    {"SwallowCounter", &f.SwallowCounter}};
    for (const LabelColumn& column : layout.channelLabels) {
        for (const auto& [name, labels] : arrays) {
            if (column.name != name) continue;
            for (int ch = 3; ch >= 0; --ch) {
                const auto i = static_cast<std::size_t>(ch);
                infoBox((*labels)[i], indexed(name, ch), &f.Frame5,
                        {column.left, layout.channelLabelTops[i], column.width, 255});
            }
        }
    }
}

int channelRowTop(int ch) {
    static constexpr std::array<int, 4> kTops{1920, 1560, 1200, 840};
    return kTops.at(static_cast<std::size_t>(ch));
}

void describeCommonWindow(Form1& f, const std::string& caption) {
    f.form.name = "Form1";
    f.form.present = true;
    f.form.setCaption(caption);
    f.form.setFont(Font{});

    place(f.Frame1, "Frame1", nullptr, {240, 120, 5415, 1095}, "Port select");
    place(f.FrameInfo, "Frame3", nullptr, {240, 1320, 5415, 1215}, "Get Target Information");
    place(f.FrameChannels, "Frame2", nullptr, {240, 2640, 5415, 3255}, "Ch Setting");
    place(f.Frame4, "Frame4", nullptr, {240, 6000, 5415, 1095}, "Log File");
    place(f.Frame5, "Frame5", nullptr, {kDebugFrameLeft, 120, 5775, 6975}, "Debug");

    // Port select.
    place(f.addLabel(), "Label4", &f.Frame1, {240, 480, 975, 255}, "Com Port:");
    place(f.Combo1, "Combo1", &f.Frame1, {1200, 360, 1215, 360});
    place(f.ComStart, "ComStart", &f.Frame1, {3600, 360, 1575, 375}, "Open");
    statusLabel(f.P_Message, "P_Message", &f.Frame1, {240, 750, 4455, 255});
    timer(f.IntervalTimer, "IntervalTimer", 50, true);

    // Get Target Information.
    place(f.addLabel(), "Label5", &f.FrameInfo, {240, 420, 855, 255}, "FW Ver.");
    identityBox(f.Version, "Version", &f.FrameInfo, {1200, 360, 1095, 360});
    place(f.addLabel(), "Label10", &f.FrameInfo, {2880, 420, 495, 255}, "S/No.");
    identityBox(f.Serial, "Serial", &f.FrameInfo, {3600, 300, 1575, 405});
    f.Serial.setFont(Font{"Arial", 12, false});
    place(f.GetInfoSW, "GetInfoSW", &f.FrameInfo, {3600, 720, 1575, 375}, "Get Info.");
    f.GetInfoSW.setEnabled(false);
    statusLabel(f.C_Message, "C_Message", &f.FrameInfo, {240, 840, 3135, 255});
    timer(f.GetInfoTimer, "GetInfoTimer", 200, false);

    // Ch Setting.
    Control* chFrame = &f.FrameChannels;
    place(f.addLabel(), "Label3", chFrame, {240, 360, 1695, 255}, "Ch   ( S2 / S1 pin ) ");
    place(f.addLabel(), "Label6", chFrame, {2160, 360, 2175, 255}, "Freq. [MHz]    Up  Down");
    Line& line = f.addLine();
    place(line, "Line1", chFrame, {120, 720, 5040, 0});
    line.setForeColor(0x404040);
    static const std::array<std::string, 4> kRowCaptions{"Ch0  (Low  /  Low   )", "Ch1  (Low   / Open )",
                                                         "Ch2  (Open / Low   )", "Ch3  (Open / Open ) :"};
    for (int ch = 3; ch >= 0; --ch) {
        const auto i = static_cast<std::size_t>(ch);
        const int row = channelRowTop(ch);
        place(f.addLabel(), indexed("Label2", ch), chFrame, {240, row + 90, 1815, 255}, kRowCaptions[i]);
        place(f.ChFrequency[i], indexed("ChFrequency", ch), chFrame, {2130, row, 1275, 360});
        place(f.Fup[i], indexed("Fup", ch), chFrame, {3480, row, 375, 375});
        f.Fup[i].setPicture(Picture::ArrowUp);
        place(f.Fdown[i], indexed("Fdown", ch), chFrame, {3840, row, 375, 375});
        f.Fdown[i].setPicture(Picture::ArrowDown);
        place(f.ChTestSW[i], indexed("ChTestSW", ch), chFrame, {4320, row, 855, 375}, "Test");
        f.ChTestSW[i].setEnabled(false);
    }
    place(f.FreqLoadSaveSW[0], "FreqLoadSaveSW(0)", chFrame, {240, 2400, 1215, 375}, "Load");
    place(f.FreqLoadSaveSW[1], "FreqLoadSaveSW(1)", chFrame, {240, 2760, 1215, 375}, "Save");
    place(f.FreqDefaultSW, "FreqDefaultSW", chFrame, {1680, 2400, 1215, 375}, "Default Set");
    place(f.ChCheckSW, "ChCheckSW", chFrame, {3240, 2400, 975, 375}, "Check");
    f.ChCheckSW.setEnabled(false);
    place(f.ChWriteSW, "ChWriteSW", chFrame, {4200, 2400, 975, 375}, "Write");
    f.ChWriteSW.setEnabled(false);
    statusLabel(f.T_Message, "T_Message", chFrame, {1680, 2880, 3495, 255});
    timer(f.TestTimer, "TestTimer", 200, false);
    timer(f.ReadAllTimer, "ReadAllTimer", 100, false);
    timer(f.WriteAllTimer, "WriteAllTimer", 200, false);

    // Log File.
    place(f.Check1, "Check1", &f.Frame4, {240, 450, 255, 255});
    f.Check1.setValue(1);
    place(f.LogFileName, "LogFileName", &f.Frame4, {600, 360, 4575, 360});
    statusLabel(f.L_Message, "L_Message", &f.Frame4, {240, 720, 4455, 255});

    // Debug: the controls both programs have; each program places them.
    identityBox(f.FactoryDate, "FactoryDate", &f.Frame5, {});
    place(f.MSFlexGrid1, "MSFlexGrid1", &f.Frame5, {});
    place(f.Term, "Term", &f.Frame5, {});
    f.Term.multiLine = true;
    f.Term.verticalScrollBar = true;
}

}  // namespace orvane
