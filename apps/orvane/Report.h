#pragma once

#include "apps/orvane/Session.h"

#include <ostream>
#include <string>
#include <vector>

namespace orvane::cli {

// A serial port as `orvane ports` lists it, and with --probe what answered there.
struct PortStatus {
    std::string name;  // "COM5"
    std::string device;
    std::string description;
    bool available = false;
    std::string reason;  // why it cannot be opened now
    bool probed = false;
    std::string module;  // the module type that answered ("transmitter"), "" when none did
    std::string serial;
    std::string version;
};

// A module of the production line, as its result line gives it.
struct ModuleReport {
    std::string port;  // as given with --port
    Verdict verdict;
    std::string serial;
    std::string version;
    std::string started;
    std::string ended;
    long long elapsedMs = 0;
    int attempt = 1;
    bool again = false;             // its serial number passed before (in this run, or as the ledger knows)
    std::string passedBefore = {};  // when and where the ledger saw it pass: "2026-12-07 09:51 on station-3"
};

// What a rig (or, without a port, the whole line) did.
struct Tally {
    std::string port;
    int passed = 0;
    int failed = 0;
    std::vector<std::string> failedSerials;
};

// What the command says: results on stdout, as text lines or one JSON object per line, every
// result line with the same fields and reason codes; diagnostics and progress on stderr. Progress
// is a live line on a terminal and nothing when stderr goes elsewhere, so logs hold plain lines.
class Reporter {
public:
    Reporter(std::ostream& out, std::ostream& err, bool json, bool liveProgress);

    // With more than one rig, text lines name the rig's port.
    void setRigCount(int rigs) { m_rigs = rigs; }

    void progress(const std::string& port, ExchangeKind step, int n, int of, int channel);
    // A live line that says what the command waits for ("waiting for a module").
    void waiting(const std::string& port, const std::string& what);
    // One exchange's result.
    void step(const std::string& port, const StepResult& result);
    // The record of a module that passed could not be appended (to the log or the record file).
    void fileFailed(const std::string& port, const Verdict& verdict, const StepResult& write);
    // A module of the production loop: PASS or FAIL with its serial number and the reason.
    void module(const ModuleReport& module);
    // One line per rig when there are several, then the whole line's.
    void summary(const std::vector<Tally>& rigs, const Tally& total);
    // Input refused before anything was sent.
    void refused(const std::vector<std::string>& reasons);
    // A port could not be opened (or names nothing).
    void portNotOpen(const std::string& port, const std::string& reason);
    void ports(const std::vector<PortStatus>& ports);
    // A note for the technician (stderr), never a result.
    void note(const std::string& text);
    // The last line of every run with --json: the exit status and why.
    void end(int exit, const Verdict& why);

private:
    void clearProgress();
    void live(const std::string& text);
    // The fields every result line has, after its "step".
    void resultFields(const std::string& port, const Verdict& verdict, const std::string& serial,
                      const std::string& version, const std::string& started, const std::string& ended,
                      long long elapsedMs);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_json;
    bool m_live;
    bool m_progressShown = false;
    int m_rigs = 1;
};

// A JSON string literal of the UTF-8 text: quotes, backslashes, control characters and everything
// beyond ASCII escaped, so the literal is plain ASCII.
std::string jsonString(const std::string& text);

}  // namespace orvane::cli
