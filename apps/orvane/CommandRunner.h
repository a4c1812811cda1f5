#pragma once

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/ProductionLoop.h"
#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"

#include <functional>
#include <memory>
#include <vector>

namespace orvane::cli {

// Runs one command that talks to a module: judges the channels, opens the port, runs the
// exchanges one after the other (stopping at the first that fails) and closes the port again.
// `finished` gets the exit status: 0 every step passed, 1 the module answered wrongly or not at
// all, 2 the input was refused (nothing was sent), 3 the port could not be opened or failed.
class CommandRunner {
public:
    CommandRunner(const Options& options, App& app, Session& session, Reporter& reporter, After after,
                  Clock clock, std::function<void(int)> finished);

    void start();
    // Ctrl-C or SIGTERM: the production loop ends with its summary; any other command is aborted
    // at once (the port is closed) and ends with status 130.
    void interrupt();

private:
    void next();
    void end(int status);

    const Options& m_options;
    App& m_app;
    Session& m_session;
    Reporter& m_reporter;
    After m_after;
    Clock m_clock;
    std::function<void(int)> m_finished;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::unique_ptr<ProductionLoop> m_loop;
    bool m_ended = false;
};

}  // namespace orvane::cli
