#pragma once

#include "core/window/Controls.h"
#include "core/window/ExchangeLock.h"
#include "core/window/Grid.h"
#include "core/window/OutcomeRecorder.h"
#include "core/window/Timer.h"
#include "core/window/WindowDescription.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

// The window: every control, every timer and every window-level state variable of a program.
// Plain data plus the routines that only switch controls; behaviour lives in the subsystems that
// handle the window's events. Both programs use this one class: a control a program lacks stays
// absent (present == false) and gets no widget.
class Form1 {
public:
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    Window form;  // the window itself: caption, position, size, font

    // Frames. FrameInfo is named "Frame3" in the transmitter program and "Frame2" in the receiver
    // program; FrameChannels the other way round.
    Frame Frame1;
    Frame FrameInfo;
    Frame FrameChannels;
    Frame Frame4;
    Frame Frame5;

    // Port select.
    ComboBox Combo1;
    Button ComStart;
    Label P_Message;
    Timer IntervalTimer;

    // Get Target Information.
    TextBox Version;
    TextBox Serial;
    Button GetInfoSW;
    Label C_Message;
    Timer GetInfoTimer;

    // Ch Setting; arrays are indexed by channel. ChFrequency is "RxFrequency" in the receiver.
    std::array<ComboBox, 4> ChFrequency;
    std::array<Button, 4> Fup;
    std::array<Button, 4> Fdown;
    std::array<Button, 4> ChTestSW;
    std::array<Button, 2> FreqLoadSaveSW;
    Button FreqDefaultSW;
    Button ChCheckSW;
    Button ChWriteSW;
    Label T_Message;
    Timer TestTimer;
    Timer ReadAllTimer;
    Timer WriteAllTimer;
    // The headless command's identity re-read; no control of the windows starts it.
    Timer IdentityTimer;

    // Log File.
    CheckBox Check1;
    TextBox LogFileName;
    Label L_Message;

    // Debug.
    TextBox FactoryDate;
    TextBox FOffsetV;  // transmitter only
    Grid MSFlexGrid1;
    TextBox Term;
    std::array<Label, 4> LoFrequency;  // receiver only, as the four arrays below
    std::array<Label, 4> ChStep;
    std::array<Label, 4> Rcounter;
    std::array<Label, 4> ProgramCounter;
    std::array<Label, 4> SwallowCounter;

    // Captions and lines without behaviour, made by the window description.
    std::vector<std::unique_ptr<Control>> decorations;
    Label& addLabel();
    Line& addLine();

    // Window-level state.
    Color ColorWindow = 0;
    Color ColorGreen = 0;
    Color ColorYellow = 0;
    Color ColorGray = 0;
    Color ColorPink = 0;
    std::string RxBuffer;
    int ReplyFlag = 0;
    int SeqStep = 0;
    int ChIndex = 0;
    std::string DebugMode;
    int DebugWidth = kDebugWindowWidth;
    double RefFrequency = 0;
    std::string CommonParam;
    std::string Powcfg0Text;
    std::string Powcfg1Text;
    std::string ReserveText;
    std::int16_t PrescalerModulus = 0;

    // The system's decimal separator, for numbers that are only displayed (set at start-up).
    char decimalSeparator = '.';

    // The exchange with the module that owns SeqStep, ReplyFlag and ChIndex, if any, and the
    // controls locked while it runs.
    ExchangeLock exchange{*this};
    // What the running exchange has found so far, and the last one's result once it has ended.
    OutcomeRecorder outcome;

    // The seven operation buttons as a group, in the order the switch routines set them. While an
    // exchange runs they change what a locked button gets back at its end, never the button.
    void DisableSwitches();
    void EnableSwitches();
    void EnableInfoSwitchOnly();

    // The log check box: LogFileName is usable only while the box is ticked.
    void Check1_Click();

    // Every control, frames first, then the controls in the order of the window description.
    std::vector<Control*> controls();
    std::vector<Timer*> timers();

private:
    void setSwitches(bool tests, bool info, bool check, bool write);
};

}  // namespace orvane
