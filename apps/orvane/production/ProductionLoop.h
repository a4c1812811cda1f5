#pragma once

#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"
#include "apps/orvane/production/ModuleJob.h"
#include "apps/orvane/production/ModuleRecords.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane::cli {

// Module after module on one rig. An empty rig is watched with the write itself: a write that
// finds no module ends after the identity without writing anything, so a module placed on the rig
// is written within about one write's identity steps. The module just handled is watched with its
// serial number alone ("/D" about every 0.2 s) until it is taken off: two questions in a row
// without an answer, or another serial number, and the rig is free again. So every module placed
// gets exactly one PASS or FAIL line, also one put on again with the serial number of the last
// (the rig empty for at least half a second in between), and one still on the rig is never written
// again. A module that gave no serial number is watched with the write, as an empty rig: two
// answers without a serial number count as the same module only while it keeps answering.
class ProductionLoop : private IAdmission {
public:
    // What the loop asks of the production line it belongs to.
    struct Line {
        // Whether one more module may be started (the line's --count); a yes counts it.
        std::function<bool()> reserve;
        // A module's result.
        std::function<void(const ModuleReport&)> concluded;
        // The rig stopped, and why (None when it was asked to).
        std::function<void(const Verdict&)> stopped;
    };

    ProductionLoop(std::string port, Session& session, ModuleRecords& records, Reporter& reporter,
                   int retries, int stopAfter, Line line);

    ~ProductionLoop() override;

    void start();
    // Ends the rig once no module is in hand (the poll under way ends first).
    void stopAfterModule();
    // Aborts the module in hand (it fails as interrupted) and ends the rig.
    void abort();

    const std::string& port() const { return m_port; }

private:
    void poll();
    bool admits(const Outcome& identified) override;
    void polled(const StepResult& write);
    // Asks the module just handled for its serial number; `probed` judges the answer.
    void probe();
    void probed(const StepResult& identity);
    // A new module that no write reached (the other type, no identity).
    void unwritten(const StepResult& write);
    void concluded(const ModuleReport& report);
    bool sameModule(const Outcome& answered) const;
    void stop(const Verdict& why);

    std::string m_port;
    Session& m_session;
    ModuleRecords& m_records;
    Reporter& m_reporter;
    int m_retries;
    int m_stopAfter;
    Line m_line;

    std::unique_ptr<ModuleJob> m_job;  // the module in hand, if any
    bool m_onRig = false;              // the module just handled may still be on the rig
    std::string m_onRigSerial;
    std::string m_halfSeen;  // "version/serial" of the last answer that had only one of them
    int m_unanswered = 0;    // questions to the module just handled in a row without an answer
    std::string m_pollUuid;  // the attempt the write under way would be
    int m_failedInARow = 0;
    bool m_stopping = false;
    bool m_aborting = false;
    bool m_stopped = false;
};

}  // namespace orvane::cli
