#pragma once

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"
#include "apps/orvane/production/ModuleJob.h"
#include "apps/orvane/production/ModuleRecords.h"
#include "apps/orvane/production/ProductionLine.h"
#include "core/platform/IPortNaming.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane::cli {

// A port given with --port and what serves it: its window, session and records. The composition
// root makes one per port.
struct RigParts {
    std::string port;  // as given
    App& app;
    Session& session;
    ModuleRecords& records;
};

// Runs one command that talks to modules: judges the channels, the files and the port names before
// anything is opened, opens the ports, runs the exchanges (one module for info, test, check and
// write; the production line for run) and closes the ports again. Every run ends with the JSON end
// line (with --json). `finished` gets the exit status: 0 success, 1 the module answered wrongly
// or not at all, 2 the input was refused (nothing was sent), 3 a port names nothing, could not be
// opened or failed, 4 a record could not be appended, 130 interrupted.
class CommandRunner {
public:
    CommandRunner(const Options& options, std::vector<RigParts> rigs, const IPortNaming& naming,
                  PlatformWords words, Reporter& reporter, std::function<void(int)> finished);

    void start();
    // Ctrl-C or SIGTERM: the production line stops after the modules in hand (a second one aborts
    // them); any other command is aborted at once (the port is closed) and ends with 130.
    void interrupt();

private:
    std::vector<std::string> refusals();
    // Why a --port text names nothing this platform can open; nothing when it does.
    std::optional<std::string> portProblem(const std::string& port) const;
    void next();
    void end(int status, const Verdict& why);

    const Options& m_options;
    std::vector<RigParts> m_rigs;
    const IPortNaming& m_naming;
    PlatformWords m_words;
    Reporter& m_reporter;
    std::function<void(int)> m_finished;
    std::vector<ExchangeKind> m_steps;
    std::size_t m_next = 0;
    std::unique_ptr<ModuleJob> m_job;
    std::unique_ptr<ProductionLine> m_line;
    bool m_ended = false;
    bool m_interrupted = false;
};

// The port text as the platform's names take it: "com5" is COM5.
std::string canonicalPort(const std::string& port);

}  // namespace orvane::cli
