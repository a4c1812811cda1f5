#include "apps/orvane/Orvane.h"

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/CommandRunner.h"
#include "apps/orvane/HeadlessPlatform.h"
#include "apps/orvane/LedgerCommands.h"
#include "apps/orvane/LineCommands.h"
#include "apps/orvane/PortProbe.h"
#include "apps/orvane/Programs.h"
#include "apps/orvane/Report.h"
#include "apps/orvane/ledger/LedgerPath.h"
#include "apps/orvane/line/Line.h"
#include "apps/orvane/production/ModuleRecords.h"
#include "core/window/TimerDriver.h"

#include <chrono>
#include <filesystem>

namespace orvane::cli {

namespace {

const std::string kVersion = std::to_string(ORVANE_VERSION_MAJOR) + "." +
                             std::to_string(ORVANE_VERSION_MINOR) + "." +
                             std::to_string(ORVANE_VERSION_PATCH);

// A path taken from the current folder (an absolute one as it is).
std::string absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

// One port's worth of the command: a serial port, a window that no view shows with its timers on
// the loop, the session that runs its exchanges, and its records.
class HeadlessRig {
public:
    HeadlessRig(const ProgramEntry& program, std::string port, PlatformKit& kit,
                const ModuleRecords::Files& files, IAppInfo& facts)
        : m_port(std::move(port)),
          m_serial(kit.makePort()),
          m_model(program.makeModel()),
          m_platform{*m_serial, m_dialog, m_nobody, facts, m_screen, kit.clock, kit.files, kit.naming},
          m_app(program.profile(), *m_model, m_platform),
          m_timers(m_app.form(), kit.loop),
          m_session(m_app, kit.loop, kit.timestamp),
          m_records(m_app, kit.files, files) {
        m_app.loadHeadless();
        m_timers.start();
    }

    RigParts parts() { return {m_port, m_app, m_session, m_records}; }
    Session& session() { return m_session; }

private:
    std::string m_port;
    std::unique_ptr<ISerialPort> m_serial;
    std::unique_ptr<IRegisterModel> m_model;
    NoDialog m_dialog;
    NobodyAsked m_nobody;
    NoScreen m_screen;
    Platform m_platform;
    App m_app;
    TimerDriver m_timers;
    Session m_session;
    ModuleRecords m_records;
};

int listOrProbe(const Options& options, Reporter& reporter, PlatformKit& kit) {
    const std::unique_ptr<ISerialPort> lister = kit.makePort();
    std::vector<PortStatus> ports = listPorts(*lister, kit.naming);
    if (!options.probe) {
        reporter.ports(ports);
        reporter.end(kExitSuccess, {});
        return kExitSuccess;
    }
    CommandFacts facts(ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_PATCH, {});
    const ModuleRecords::Files noFiles;
    std::vector<std::unique_ptr<HeadlessRig>> rigs;
    std::vector<PortProbe::Program> candidates;
    for (const ProgramEntry& program : programs()) {
        rigs.push_back(std::make_unique<HeadlessRig>(program, std::string(), kit, noFiles, facts));
        candidates.push_back({program.profile().moduleName, rigs.back()->session()});
    }
    int status = kExitSuccess;
    PortProbe probe(std::move(ports), std::move(candidates), [&](const std::vector<PortStatus>& found) {
        reporter.ports(found);
        reporter.end(status, status == kExitSuccess ? Verdict{} : verdictOf(Reason::Interrupted));
        kit.loop.quit(status);
    });
    kit.loop.onTermination([&] {
        status = kExitInterrupted;
        probe.interrupt();
    });
    kit.loop.post(0, [&probe] { probe.start(); });
    return kit.loop.run();
}

}  // namespace

int runOrvane(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, PlatformKit& kit) {
    const std::vector<std::string> modules = moduleNames();
    const Parsed parsed = parseArguments(args, modules);
    const Options& options = parsed.options;
    Reporter reporter(out, err, options.json, kit.liveProgress);
    if (!parsed.error.empty()) {
        err << "orvane: " << parsed.error << "\nTry 'orvane --help'.\n";
        reporter.end(kExitUsage, verdictOf(Reason::UsageError, parsed.error));
        return kExitUsage;
    }
    if (options.help) {
        const bool general = args.empty() || args[0].starts_with("-") || args[0] == "help";
        out << usageText(general && args.size() < 2 ? std::nullopt : std::optional(options.command), modules,
                         kit.words);
        return kExitSuccess;
    }
    if (options.version) {
        out << "orvane " << kVersion << '\n';
        return kExitSuccess;
    }
    if (options.command == Command::History || options.command == Command::Report)
        return runLedgerCommand(options, out, err, kit.environment);
    if (options.command == Command::Sync || options.command == Command::Line)
        return runLineCommand(options, out, err, kit.environment);
    if (options.command == Command::Ports) return listOrProbe(options, reporter, kit);

    // The log and the record file are taken from the current folder; the log's folder is the
    // program folder, its name the log name.
    const std::string log = absolute(options.logFile);
    CommandFacts facts(ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_PATCH,
                       log.empty() ? std::string() : std::filesystem::path(log).parent_path().string());
    ModuleRecords::Files files;
    files.logFile = options.logFile;
    files.recordFile = options.recordFile;
    files.recordPath = absolute(options.recordFile);
    files.labels = options.labels;
    files.orvaneVersion = kVersion;
    // Every attempt of a write or a run goes into the station's ledger (unless it is turned off);
    // one that cannot be opened is refused before anything is sent.
    std::optional<ledger::Ledger> ledger;
    std::optional<line::LineUploader> uploader;
    if (options.command == Command::Write || options.command == Command::Run) {
        const ledger::LedgerChoice choice = ledger::chooseLedger(options.ledgerFile, options.noLedger,
                                                                 ledger::nativePathStyle(), kit.environment);
        files.ledgerError = choice.error;
        files.ledgerPath = choice.path;
        files.station = options.station.empty() ? kit.hostName : options.station;
        if (!choice.path.empty()) {
            auto opened = ledger::Ledger::open(choice.path);
            if (opened.ledger) {
                ledger.emplace(std::move(*opened.ledger));
                files.ledger = &*ledger;
            } else {
                files.ledgerError = choice.path + ": " + opened.error;
            }
        }
        // A line of stations: each committed row is copied there from the ledger's outbox.
        const line::LineChoice lineChoice = line::chooseLine(options.lineUrl, kit.environment);
        if (!lineChoice.error.empty()) {
            files.ledgerError = "--line: " + lineChoice.error;
        } else if (!lineChoice.url.empty() && choice.path.empty()) {
            files.ledgerError = "--line copies from the ledger: it cannot go with --no-ledger";
        } else if (!lineChoice.url.empty() && files.ledger) {
            uploader.emplace(choice.path, lineChoice.url);
            files.uploader = &*uploader;
        }
    }
    Options resolved = options;
    resolved.channels.file = absolute(options.channels.file);

    std::vector<std::unique_ptr<HeadlessRig>> rigs;
    std::vector<RigParts> parts;
    for (const std::string& port : options.ports) {
        rigs.push_back(std::make_unique<HeadlessRig>(programNamed(options.module), port, kit, files, facts));
        parts.push_back(rigs.back()->parts());
    }
    CommandRunner runner(resolved, std::move(parts), kit.naming, kit.words, reporter,
                         [&kit](int status) { kit.loop.quit(status); });
    kit.loop.onTermination([&runner] { runner.interrupt(); });
    kit.loop.post(0, [&runner] { runner.start(); });
    const int status = kit.loop.run();
    // What the line has not taken yet stays in the outbox for the next command or `orvane sync`;
    // the exit status is the modules', whatever the line did.
    if (uploader) {
        if (const std::string note = line::leftoverNote(uploader->finish(std::chrono::seconds(2)));
            !note.empty())
            err << "orvane: " << note << '\n';
    }
    return status;
}

}  // namespace orvane::cli
