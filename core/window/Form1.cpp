#include "core/window/Form1.h"

namespace orvane {

Form1::Form1() {
    Check1.onClick = [this] { Check1_Click(); };
}

Label& Form1::addLabel() {
    auto label = std::make_unique<Label>();
    Label& ref = *label;
    decorations.push_back(std::move(label));
    return ref;
}

Line& Form1::addLine() {
    auto line = std::make_unique<Line>();
    Line& ref = *line;
    decorations.push_back(std::move(line));
    return ref;
}

void Form1::setSwitches(bool tests, bool info, bool check, bool write) {
    for (auto& button : ChTestSW)
        exchange.setEnabled(button, tests);
    exchange.setEnabled(GetInfoSW, info);
    exchange.setEnabled(ChCheckSW, check);
    exchange.setEnabled(ChWriteSW, write);
}

void Form1::DisableSwitches() {
    setSwitches(false, false, false, false);
}
void Form1::EnableSwitches() {
    setSwitches(true, true, true, true);
}
void Form1::EnableInfoSwitchOnly() {
    setSwitches(false, true, false, false);
}

void Form1::Check1_Click() {
    LogFileName.setEnabled(Check1.value() == 1);
}

std::vector<Control*> Form1::controls() {
    std::vector<Control*> all{&form, &Frame1, &FrameInfo, &FrameChannels, &Frame4, &Frame5};
    auto add = [&all](Control& c) { all.push_back(&c); };
    add(Combo1);
    add(ComStart);
    add(P_Message);
    add(Version);
    add(Serial);
    add(GetInfoSW);
    add(C_Message);
    for (int ch = 3; ch >= 0; --ch) {
        const auto i = static_cast<std::size_t>(ch);
        add(ChFrequency[i]);
        add(Fup[i]);
        add(Fdown[i]);
        add(ChTestSW[i]);
    }
    add(FreqLoadSaveSW[0]);
    add(FreqLoadSaveSW[1]);
    add(FreqDefaultSW);
    add(ChCheckSW);
    add(ChWriteSW);
    add(T_Message);
    add(Check1);
    add(LogFileName);
    add(L_Message);
    add(FactoryDate);
    add(FOffsetV);
    add(MSFlexGrid1);
    add(Term);
    for (int ch = 3; ch >= 0; --ch) {
        const auto i = static_cast<std::size_t>(ch);
        add(LoFrequency[i]);
        add(ChStep[i]);
        add(Rcounter[i]);
        add(ProgramCounter[i]);
        add(SwallowCounter[i]);
    }
    for (auto& decoration : decorations)
        add(*decoration);
    for (Timer* timer : timers())
        add(*timer);
    return all;
}

std::vector<Timer*> Form1::timers() {
    return {&IntervalTimer, &GetInfoTimer, &TestTimer, &ReadAllTimer, &WriteAllTimer, &IdentityTimer};
}

}  // namespace orvane
