#pragma once

#include "core/window/Outcome.h"

#include <string>

namespace orvane::cli {

// The exchange's name on the command line and in JSON ("info", "test", "check", "write").
const char* stepName(ExchangeKind step);

// Why something did not pass: one vocabulary for every line and the exit status.
enum class Reason {
    None,
    NoResponse,
    WrongModuleType,
    FlashWriteError,
    FlashClearError,
    Discrepancy,
    TestDataError,
    CommonParameterError,
    PortError,
    LogError,     // the operation log could not take a record
    RecordError,  // the record file could not take a record
    Interrupted,
    LineStopped,  // a rig stopped after --stop-after failures in a row
    UsageError,
    InputRefused,
};

// "no-response", "flash-write-error", ...; "" for None.
const char* reasonCode(Reason reason);

// An exchange's outcome (or a module's end) in the terms of a production line.
struct Verdict {
    Reason reason = Reason::None;
    std::string command;  // no response: the command left unanswered ("/W 02")
    int channel = -1;     // the channel the fault concerns
    std::string detail;   // the port's reason, or the file that could not be appended to

    bool passed() const { return reason == Reason::None; }
    // "pass", "no response to /W 02 (channel 2)", "flash write error on channel 1", ...
    std::string text() const;
    // 0 pass, 1 the module's fault, 3 the port, 4 a file; 130 interrupted; 2 refused input.
    int exitStatus() const;
};

Verdict verdictOf(const Outcome& outcome);
Verdict verdictOf(Reason reason, std::string detail = {});

}  // namespace orvane::cli
