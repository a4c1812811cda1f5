// orvane: the headless command for production lines and scripts. A QCoreApplication (no widgets)
// with the Qt serial port and timers drives the programs' own exchanges on a window model that no
// view shows.
#include "apps/brelund/BrelundProfile.h"
#include "apps/brelund/BrelundRegisterModel.h"
#include "apps/orvane/CommandLine.h"
#include "apps/orvane/CommandRunner.h"
#include "apps/orvane/HeadlessPlatform.h"
#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"
#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/files/DiskFileSystem.h"
#include "core/shell/App.h"
#include "core/window/TimerDriver.h"
#include "platform/linux/LinuxPortNaming.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtSerialPort.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace orvane;

// The programs orvane can stand in for: each a profile and its register model.
struct Program {
    Profile (*profile)();
    std::unique_ptr<IRegisterModel> (*makeModel)();
};

const Program kPrograms[] = {
    {&quorvex::profile, [] { return std::unique_ptr<IRegisterModel>(new quorvex::QuorvexRegisterModel()); }},
    {&brelund::profile, [] { return std::unique_ptr<IRegisterModel>(new brelund::BrelundRegisterModel()); }},
};

// The names --module takes for a program: its module ("transmitter") and, lower case, the
// program's own ("quorvex").
std::vector<std::string> namesOf(const Profile& profile) {
    std::string program = profile.programName;
    for (char& c : program)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return {profile.moduleName, program};
}

std::vector<std::string> moduleNames() {
    std::vector<std::string> names;
    for (const Program& program : kPrograms) {
        for (std::string& name : namesOf(program.profile()))
            names.push_back(std::move(name));
    }
    return names;
}

const Program& programNamed(const std::string& name) {
    for (const Program& program : kPrograms) {
        const std::vector<std::string> names = namesOf(program.profile());
        if (std::find(names.begin(), names.end(), name) != names.end()) return program;
    }
    return kPrograms[0];  // the command line accepts only the names above
}

std::string absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

int listPorts(cli::Reporter& reporter) {
    qt::QtSerialPort port;
    const linux_ports::LinuxPortNaming naming;
    std::vector<cli::PortStatus> ports;
    for (const PortEntry& entry : port.enumeratePorts()) {
        cli::PortStatus status{naming.name(entry.number), entry.device, entry.description, false, {}};
        port.setPortNumber(entry.number);
        status.available = port.open();
        if (status.available)
            port.close();
        else
            status.reason = port.lastErrorText();
        ports.push_back(status);
    }
    reporter.ports(ports);
    return 0;
}

int runCommand(const cli::Options& options, cli::Reporter& reporter) {
    const Program& program = programNamed(options.module);
    const std::unique_ptr<IRegisterModel> model = program.makeModel();

    // The log goes where --log says, taken from the current folder: the program folder is its
    // folder, the log name its own name.
    const std::filesystem::path log = absolute(options.logFile);
    qt::QtSerialPort port;
    cli::NoDialog noDialog;
    cli::NobodyAsked nobody;
    cli::CommandFacts facts(ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_PATCH,
                            log.empty() ? std::string() : log.parent_path().string());
    cli::NoScreen screen;
    qt::QtClock clock;
    files::DiskFileSystem disk;
    linux_ports::LinuxPortNaming portNaming;
    Platform platform{port, noDialog, nobody, facts, screen, clock, disk, portNaming};

    App app(program.profile(), *model, platform);
    app.loadHeadless();
    qt::QtEventLoop loop;
    TimerDriver timers(app.form(), loop);
    timers.start();

    const cli::After after = [&loop](int ms, std::function<void()> then) { loop.post(ms, std::move(then)); };
    const cli::Clock times{
        [] { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString(); },
        [&loop] { return loop.now(); }};
    cli::Session session(app, after, times);

    cli::Options resolved = options;
    resolved.channels.file = absolute(options.channels.file);
    cli::CommandRunner runner(resolved, app, session, reporter, after, times,
                              [&loop](int result) { loop.quit(result); });
    loop.onTermination([&runner] { runner.interrupt(); });
    loop.post(0, [&runner] { runner.start(); });
    return loop.run();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> modules = moduleNames();
    const cli::Parsed parsed = cli::parseArguments(std::vector<std::string>(argv + 1, argv + argc), modules);
    const cli::Options& options = parsed.options;
    if (!parsed.error.empty()) {
        std::cerr << "orvane: " << parsed.error << "\nTry 'orvane --help'.\n";
        return 2;
    }
    if (options.help) {
        const bool general =
            argc < 2 || std::string(argv[1]).starts_with("-") || std::string(argv[1]) == "help";
        std::cout << cli::usageText(general && argc < 3 ? std::nullopt : std::optional(options.command),
                                    modules);
        return 0;
    }
    if (options.version) {
        std::cout << "orvane " << ORVANE_VERSION_MAJOR << '.' << ORVANE_VERSION_MINOR << '.'
                  << ORVANE_VERSION_PATCH << '\n';
        return 0;
    }
    QCoreApplication application(argc, argv);
    cli::Reporter reporter(std::cout, std::cerr, options.json, ::isatty(STDERR_FILENO) != 0);
    if (options.command == cli::Command::Ports) return listPorts(reporter);
    return runCommand(options, reporter);
}
