#pragma once

#include "core/window/Outcome.h"

#include <string>

namespace orvane::cli {

// The exit statuses of every command. Each reason below names one; nothing else returns a number.
enum ExitStatus : int {
    kExitSuccess = 0,
    kExitModule = 1,  // the module answered wrongly or not at all
    kExitUsage = 2,   // usage or input refused before anything was sent
    kExitPort = 3,    // a port names nothing, could not be opened or failed
    kExitFile = 4,    // a record could not be kept
    kExitLine = 5,    // the line's database could not be reached or refused the copy
    kExitInterrupted = 130,
};

// The exchange's name on the command line and in JSON ("info", "test", "check", "write",
// "identity").
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
    ModuleChanged,  // another module (or none) answered at the end than at the start
    NotWritten,     // a write the caller did not admit: nothing was written
    PortError,
    LogError,     // the operation log could not take a record
    RecordError,  // the record file or the ledger could not take a record
    LedgerError,  // a ledger to read could not be opened or read
    LineError,    // the line's database could not be reached, read or written
    Interrupted,
    LineStopped,  // a rig stopped after --stop-after failures in a row
    UsageError,
    InputRefused,
};

// What a reason means for a production line: one row each, the only place this is decided.
struct ReasonRow {
    Reason reason;
    const char* code;  // "no-response", ...; "" for None
    int exit;          // the exit status it gives
    bool retryable;    // another attempt at the same module may mend it (--retries)
    const char* help;  // what it means, for --help and the README
};

const ReasonRow& reasonRow(Reason reason);
// "no-response", "flash-write-error", ...; "" for None.
const char* reasonCode(Reason reason);
// The reason codes a module can fail with, one per line with their meaning (for --help).
std::string reasonHelp();

// An exchange's outcome (or a module's end) in the terms of a production line.
struct Verdict {
    Reason reason = Reason::None;
    std::string command;  // no response: the command left unanswered ("/W 02")
    int channel = -1;     // the channel the fault concerns
    std::string detail;   // the port's reason, the file that could not be appended to, what answered

    bool passed() const { return reason == Reason::None; }
    // "pass", "no response to /W 02 (channel 2)", "flash write error on channel 1", ...
    std::string text() const;
    int exitStatus() const { return reasonRow(reason).exit; }
    bool retryable() const { return reasonRow(reason).retryable; }
};

Verdict verdictOf(const Outcome& outcome);
Verdict verdictOf(Reason reason, std::string detail = {});

}  // namespace orvane::cli
