#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

enum class Command { Ports, Info, Test, Check, Write, Run, History, Report, Sync, Line };

// Where the four channel texts come from: typed on the command line, or the channel records of a
// frequency table or a program's settings file (read the way the windows' "Load" reads them).
struct ChannelSource {
    std::optional<std::array<std::string, 4>> texts;  // --freq, Ch0 first
    std::string file;                                 // --table or --settings
};

// Everything the command line says.
struct Options {
    Command command = Command::Ports;
    std::string module;              // one of the names the programs answer to ("transmitter", ...)
    std::vector<std::string> ports;  // as given: "COM5" or a device path; several for run
    ChannelSource channels;
    int channel = 0;                            // test
    std::string logFile;                        // write, run: append the operation record here
    std::string recordFile;                     // write, run: one JSON record per module
    std::map<std::string, std::string> labels;  // --label KEY=VALUE, for the records
    bool checkAfterWrite = false;
    bool allowOutOfBand = false;
    int count = 0;           // run: end after this many modules over all rigs (0: until stopped)
    int retries = 0;         // write, run: attempts after the first one that failed
    int stopAfter = 0;       // run: stop a rig after this many failures in a row (0: never)
    std::string serial;      // history: the unit
    std::string ledgerFile;  // --ledger, "" for the default
    bool noLedger = false;   // write, run: keep no ledger
    std::string station;     // write, run: the station's name in the ledger ("" for the host name)
    std::string lineUrl;     // --line, or line init's URL: the line's database, "" for none
    std::string lineAction;  // line: what to do ("init")
    std::string since;       // report: a local date or date and time, "" for none
    std::string until;
    std::string by;        // report: day, station, rig, module or a label key; "" for the total only
    std::string htmlFile;  // report: also write the page here
    bool csv = false;
    bool probe = false;  // ports
    bool json = false;
    bool help = false;
    bool version = false;

    const std::string& port() const { return ports.front(); }
};

// The options, or a usage error (exit status 2) naming what is wrong.
struct Parsed {
    Options options;
    std::string error;
};

// Reads the arguments without the program name: a subcommand first (or --help / --version), then
// its long options, as "--name value" or "--name=value". `modules` are the names --module takes.
// --json counts wherever it stands, also on a line that is otherwise wrong.
Parsed parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& modules);

// How the help and the messages speak of the platform's port names and interrupts.
struct PlatformWords {
    std::string ports;      // how a port is given: "COMn (any case), or a device path"
    std::string interrupt;  // what interrupts a command: "Ctrl-C or SIGTERM"
};
// Linux's and Windows' words.
PlatformWords posixWords();
PlatformWords windowsWords();

// The --help text of the program, or of one subcommand (its own options and exit statuses).
std::string usageText(std::optional<Command> command, const std::vector<std::string>& modules,
                      const PlatformWords& words = posixWords());

}  // namespace orvane::cli
