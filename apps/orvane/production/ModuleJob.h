#pragma once

#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"
#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/production/ModuleRecords.h"

#include <functional>
#include <optional>
#include <string>

namespace orvane::cli {

// One module, from its write to its verdict. This and Verdict.cpp's table of reasons are where a
// PASS is decided:
// - the write; a channel whose echo stopped short of the values sent is read back before it counts
//   (as the check reads every channel back, where asked);
// - the module's serial number read again after the last echo and after the check: another
//   module, or none, fails as module-changed;
// - the same again up to `retries` times while it fails by the module's own answer (never after a
//   port failure, the other module type or another module);
// - the record of each attempt, and the log record of a module that passed.
class ModuleJob {
public:
    using Done = std::function<void(const ModuleReport& result)>;

    // `firstUuid` names the first attempt; it is made before that attempt's first byte (a line
    // makes it before the write that finds the module).
    ModuleJob(Session& session, ModuleRecords& records, std::string port, bool check, int retries, Done done,
              std::string firstUuid = ledger::newUuid());

    // Starts with a write of its own (the write command).
    void start();
    // Goes on from a write that has just reached the module (the production loop's poll).
    void written(const StepResult& write);
    // A module that no write of its own reached (the other type, no identity): its record, then
    // the verdict.
    void unwritten(const StepResult& write);
    // The technician aborts the module in hand: the exchange running stops (the port closes), and
    // the module fails as interrupted.
    void abort();

    // Each exchange's result as it ends (the write command prints them; the line does not).
    void setStepReport(std::function<void(const StepResult&)> onStep) { m_onStep = std::move(onStep); }

    // A write again for the same module is under way: the line admits it.
    bool retrying() const { return m_attempt > 1; }
    const std::string& serial() const { return m_serial; }

private:
    // The write's identity is read again; the write then stands or has a module-changed verdict.
    void writeConfirmed(StepResult write);
    void checked(const StepResult& write, StepResult check);
    // Reads the serial number again; `then` gets the verdict: none when the module that answered
    // at the start answers, module-changed (or the port's failure) when not.
    void confirmIdentity(const std::string& serial, const std::function<void(std::optional<Verdict>)>& then);
    void reportStep(const StepResult& step);
    // A module that passed: its log record (the failure when it could not be appended), then the
    // verdict.
    void passed(const StepResult& write, const StepResult* check);
    // Ends an attempt that failed: again when it may be retried, else the verdict.
    void failed(const StepResult& write, const StepResult* check, const Verdict& verdict);
    // The verdict, after the attempt's record (unless it has one already).
    void finish(const StepResult& write, const StepResult* check, Verdict verdict, bool record = true);

    Session& m_session;
    ModuleRecords& m_records;
    std::string m_port;
    bool m_check;
    int m_retries;
    Done m_done;
    std::function<void(const StepResult&)> m_onStep;
    int m_attempt = 1;
    std::string m_uuid;  // the attempt under way
    std::string m_serial;
    std::string m_started;
    long long m_startMs = 0;
    bool m_aborted = false;
    // The attempt before the one under way, in case the module is gone when it starts.
    StepResult m_lastWrite;
    std::optional<StepResult> m_lastCheck;
    Verdict m_lastVerdict;
};

}  // namespace orvane::cli
