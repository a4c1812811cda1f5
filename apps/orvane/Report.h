#pragma once

#include "apps/orvane/Session.h"

#include <ostream>
#include <string>
#include <vector>

namespace orvane::cli {

// A serial port as `orvane ports` lists it.
struct PortStatus {
    std::string name;  // "COM5"
    std::string device;
    std::string description;
    bool available = false;
    std::string reason;  // why it cannot be opened now
};

// What the command says: results on stdout, as text lines or one JSON object per line;
// diagnostics and progress on stderr. Progress is a live line on a terminal and nothing when
// stderr goes elsewhere, so logs hold plain lines only.
class Reporter {
public:
    Reporter(std::ostream& out, std::ostream& err, bool json, bool liveProgress);

    void progress(ExchangeKind step, int n, int of, int channel);
    // One exchange's result.
    void step(const StepResult& result);
    // The record of a confirmed write could not be appended to the log.
    void logFailed(const Verdict& verdict, const StepResult& write);
    // A module of the production loop: PASS or FAIL with its serial number and the reason.
    void module(bool passed, const std::string& serial, const std::string& version, const std::string& reason,
                const std::string& time);
    void summary(int passed, int failed, const std::vector<std::string>& failedSerials);
    // Input refused before anything was sent.
    void refused(const std::vector<std::string>& reasons);
    // The port could not be opened.
    void portNotOpen(const std::string& port, const std::string& reason);
    void ports(const std::vector<PortStatus>& ports);
    // A note for the technician (stderr), never a result.
    void note(const std::string& text);

private:
    void clearProgress();
    // A result line: `name` as the step, the verdict, the module's identity and the times.
    void result(const std::string& name, int channel, const Verdict& verdict, const StepResult& r);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_json;
    bool m_live;
    bool m_progressShown = false;
};

// A JSON string literal of the text (quotes, backslashes and control characters escaped).
std::string jsonString(const std::string& text);

}  // namespace orvane::cli
