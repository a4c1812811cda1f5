#pragma once

#include "core/window/Profile.h"

#include <array>
#include <string>
#include <vector>

namespace orvane::cli {

enum class Step { Info, Test, Check, Write };

const char* stepName(Step step);

// What a finished exchange left in the window, as the technician would have seen it happen.
struct ExchangeRecord {
    Step step = Step::Info;
    // Every text the status labels T_Message and C_Message took while it ran, in order, each with
    // the channel the exchange was at (ChIndex) at that moment.
    std::vector<std::pair<std::string, int>> messages;
    // The port failed ("Com port Error!"), and why.
    bool portFailed = false;
    std::string portReason;
    // The step whose test found no reply (the exchange aborted or closed without one); -1 if none.
    int unansweredStep = -1;
    std::array<bool, 4> green{};  // channel entries confirmed by the module
    std::string version;          // the identity boxes at the end
    std::string serial;
    bool identified = false;  // the serial is shown confirmed (green)
};

enum class Outcome { Pass, Fail, PortError };

// The result of an exchange in the terms of a production line.
struct Verdict {
    Outcome outcome = Outcome::Pass;
    std::string reason;  // "no-response", "discrepancy", ... empty on a pass
    int step = -1;       // for no-response
    int channel = -1;    // where the fault was seen, when known
    std::string detail;  // the port's reason for a port error

    // "no response at step 4", "discrepancy on channel 2", "flash write error on channel 1", ...
    std::string text() const;
};

// Judges a record: a port error first, then the module's faults, the most telling first (wrong
// module type, flash write, flash clear, test data, common parameters, discrepancy, no response).
// A check or write passes only with all four channels confirmed, an information exchange only
// with a confirmed identity.
Verdict judge(const ExchangeRecord& record, const Profile& profile);

}  // namespace orvane::cli
