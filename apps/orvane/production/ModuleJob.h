#pragma once

#include "apps/orvane/ModuleRecords.h"
#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"

#include <functional>
#include <optional>
#include <string>

namespace orvane::cli {

// One module, from its write to its verdict: the write, the check after it (where asked), the
// same again up to `retries` times while it fails by the module's own answer, the record of each
// attempt, and the log record of a module that passed. A port failure or a module of the other
// type is never retried.
class ModuleJob {
public:
    using Done = std::function<void(const ModuleReport& result)>;

    ModuleJob(Session& session, ModuleRecords& records, std::string port, bool check, int retries, Done done);

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
    void checked(const StepResult& write, const StepResult& check);
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
