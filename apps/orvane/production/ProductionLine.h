#pragma once

#include "apps/orvane/Report.h"
#include "apps/orvane/production/ProductionLoop.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orvane::cli {

// The production line: one loop per rig, all on one event loop, so a module on one rig never waits
// for another. --count N ends the line after N modules in all; a rig whose port fails stops alone;
// a record that cannot be appended stops the whole line. The first interrupt lets every rig finish
// the module in hand; a second aborts them. `finished` gets the exit status: the worst over the
// rigs (3 a port failed, then 4 a record was lost, then 1 a module failed or a rig stopped after
// --stop-after, then 0), or 130 when a line given --count ended early for an interrupt.
class ProductionLine {
public:
    struct Rig {
        std::string port;
        Session& session;
        ModuleRecords& records;
    };

    ProductionLine(std::vector<Rig> rigs, Reporter& reporter, int count, int retries, int stopAfter,
                   std::function<void(int status, const Verdict& why)> finished);

    void start();
    void interrupt();

private:
    bool reserve();
    void concluded(std::size_t rig, const ModuleReport& handled);
    void stopped(std::size_t rig, const Verdict& why);
    void stopAll();
    void end();

    Reporter& m_reporter;
    int m_count;
    std::function<void(int, const Verdict&)> m_finished;
    std::vector<std::unique_ptr<ProductionLoop>> m_loops;
    std::vector<Tally> m_tallies;
    std::vector<bool> m_running;
    int m_started = 0;
    int m_concluded = 0;
    int m_interrupts = 0;
    Verdict m_worst;        // the worst a rig ended with
    Verdict m_firstFailed;  // the first module that failed
    std::set<std::string> m_passedSerials;
    bool m_ended = false;
};

}  // namespace orvane::cli
