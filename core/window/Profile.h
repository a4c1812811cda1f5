#pragma once

#include <array>
#include <string>

namespace orvane {

class Form1;

// The register model of a program: what one IntervalTimer tick does for one channel. The
// transmitter program computes its twelve register bytes, the receiver program first sets the
// channel's step caption and then computes its counters.
class IRegisterModel {
public:
    virtual ~IRegisterModel() = default;
    virtual void refreshChannel(Form1& form, int ch) = 0;
};

// Everything in which the two programs differ, said once. The core reads these fields instead of
// asking which program it is.
struct Profile {
    std::string exeName;         // "Quorvex"
    std::string initialCaption;  // "ORVANE-T(869M)_Setup"
    char moduleType = 'T';       // type letter the "*V" reply must carry

    // Start-up constants.
    double refFrequency = 13;
    bool transmitterConstants = true;  // CommonParam, Powcfg0Text, ... (else PrescalerModulus)
    std::string commonParam = "0A,26,C8";
    std::string powcfg0Text = "1C";
    std::string powcfg1Text = "0A";
    std::string reserveText = "FF";
    short prescalerModulus = 128;

    // Window differences that behaviour depends on.
    bool hasOffsetBox = true;    // FOffsetV exists
    bool hasStepLabels = false;  // ChStep(0..3) coloured with the entries

    // Link and protocol.
    std::string comNotOpenText = "COM Not Open!!";
    bool usesCommonParams = true;        // "/M" and "/M " sent, "*M" replies handled
    bool closesTestWithStar = true;      // RTS off and a bare "*" at the end of a test
    int registerRows = 12;               // grid rows sent with "/T "
    int readEchoValues = 12;             // values compared in "*R"
    int testEchoValues = 12;             // values compared in "*T"
    int testEchoFirstPosition = 5;       // 1-based position of the first "*T" value
    int writeEchoValues = 12;            // values compared in "*W"
    bool writeChannelDecimal = false;    // "*W" channel field read as decimal
    bool flashClearOnInfoLabel = false;  // "*C" error shown in C_Message instead of T_Message
    std::string flashClearErrorText = "Flash Clear Error!!";
    std::string writeErrText = "Flash Write Error!!";  // text of an "*W Err" line

    // Channel frequencies.
    bool checksRaster = true;  // 12.5 kHz raster test in the entry validation
    bool defaultSetResetsColors = false;

    // Settings file comments of CH0F .. CH3F (each begins with the comma that ends the value).
    std::array<std::string, 4> settingsChannelComments;

    IRegisterModel* registerModel = nullptr;
};

}  // namespace orvane
