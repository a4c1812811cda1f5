#pragma once

#include "core/window/Form1.h"
#include "core/window/Outcome.h"
#include "core/window/Profile.h"

#include <string>

namespace orvane {

// A fault an exchange or the receive handler finds. Each goes into the running exchange's outcome
// and onto a status label, both from one row of the program's table below.
enum class Fault {
    NoReply,           // a step found no reply to its command
    NoIdentity,        // get-information ended without a version and a serial number
    WrongModuleType,   // "*V" names the other module type
    CommonParameters,  // "*M" differs from the common parameters sent
    Discrepancy,       // a channel read back differs from the grid
    TestData,          // a test echo differs, or a channel has no register values to test
    FlashWrite,        // a write echo differs, or a channel has no register values to write
    WriteErrLine,      // the module answered a write with "*W Err"
    FlashClear,        // the module reported a failed flash clear
};

// What a fault shows and records in one program.
struct FaultRow {
    OutcomeKind kind;
    Label Form1::*label;
    std::string text;
};

// The program's row for a fault: most rows are the same in both programs; the flash-clear and
// "*W Err" rows take their label and text from the profile.
FaultRow faultRow(const Profile& profile, Fault fault);

// Records a fault in one call: the running exchange's outcome (its first failure stays) and the
// status label. `channel` is the channel it concerns (-1: none).
void recordFault(Form1& form, const Profile& profile, Fault fault, int channel = -1);

// A reply that never came: `command` (with its channel) is recorded as left unanswered at the
// current step, and the label shows the fault's text (NoReply or NoIdentity).
void recordUnanswered(Form1& form, const Profile& profile, Fault fault, const std::string& command,
                      int channel = -1);

}  // namespace orvane
