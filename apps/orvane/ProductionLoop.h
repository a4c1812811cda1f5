#pragma once

#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

// Module after module on one rig: waits for a module to answer (get-information at a modest
// rate), writes and checks it, appends its record, reports PASS or FAIL with its serial number and
// the reason, waits until it stops answering (taken off the rig) and starts over. A module that
// still answers with the serial number just handled is never written again.
class ProductionLoop {
public:
    // Appends the record of a write the check confirmed; the failure when it could not.
    using Record = std::function<std::optional<Verdict>(const StepResult& write)>;

    // `count` modules, or until stopped when 0. `finished` gets the exit status: 0 when every
    // module passed, 1 when one failed, 3 when the port failed, 4 when a record could not be
    // appended (the loop stops there).
    ProductionLoop(Session& session, Reporter& reporter, After after, std::function<std::string()> timestamp,
                   int count, Record record, std::function<void(int)> finished);

    void start();
    // Ends the loop with its summary: at once while it waits, after the module at hand otherwise.
    void stop();

    // Pause between two polls of the rig, in milliseconds.
    static constexpr int kPollPauseMs = 500;

private:
    enum class Waiting { ForModule, ForRemoval };

    void poll();
    void polled(const StepResult& info);
    void handle(const StepResult& info);
    void written(const StepResult& write);
    void conclude(const StepResult& result, const Verdict& verdict, const std::string& reason);
    // A port that failed ends the loop (status 3): true when it did.
    bool endOnPortError(const StepResult& result);
    void end(int status);

    Session& m_session;
    Reporter& m_reporter;
    After m_after;
    std::function<std::string()> m_timestamp;
    int m_count;
    Record m_record;
    std::function<void(int)> m_finished;

    Waiting m_waiting = Waiting::ForModule;
    std::string m_onRig;  // serial number of the module handled last, while it is on the rig
    bool m_stopRequested = false;
    bool m_busyWithModule = false;
    bool m_ended = false;
    int m_passed = 0;
    int m_failed = 0;
    std::vector<std::string> m_failedSerials;
};

}  // namespace orvane::cli
