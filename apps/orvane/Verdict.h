#pragma once

#include "core/window/Outcome.h"

#include <string>

namespace orvane::cli {

// The exchange's name on the command line and in JSON ("info", "test", "check", "write").
const char* stepName(ExchangeKind step);

// An exchange's outcome in the terms of a production line.
struct Verdict {
    enum class Kind { Pass, Fail, PortError, LogError };

    Kind kind = Kind::Pass;
    std::string reason;  // "no-response", "discrepancy", ... empty on a pass
    int step = -1;       // no-response: the step of the exchange that found no reply
    int channel = -1;    // the channel the fault concerns, when there is one
    std::string detail;  // the port's reason for a port error, the file for a log error

    // "no response at step 4", "discrepancy on channel 2", "flash write error on channel 1", ...
    std::string text() const;
};

// The verdict an outcome gives: its kind named by a reason code.
Verdict verdictOf(const Outcome& outcome);

// A write whose record could not be appended to the log file `path`.
Verdict logError(const std::string& path);

}  // namespace orvane::cli
