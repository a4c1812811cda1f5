#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

enum class Command { Ports, Info, Test, Check, Write, Run };

// Where the four channel texts come from: typed on the command line, or the channel records of a
// frequency table or a program's settings file (read the way the windows' "Load" reads them).
struct ChannelSource {
    std::optional<std::array<std::string, 4>> texts;  // --freq, Ch0 first
    std::string file;                                 // --table or --settings
};

// Everything the command line says.
struct Options {
    Command command = Command::Ports;
    std::string module;  // one of the names the programs answer to ("transmitter", "quorvex", ...)
    std::string port;    // "COM5" or a device path, as the port box takes it
    ChannelSource channels;
    int channel = 0;      // test
    std::string logFile;  // write, run: append the operation record here
    bool checkAfterWrite = false;
    bool allowOutOfBand = false;
    int count = 0;  // run: end after this many modules (0: until stopped)
    bool json = false;
    bool help = false;
    bool version = false;
};

// The options, or a usage error (exit status 2) naming what is wrong.
struct Parsed {
    Options options;
    std::string error;
};

// Reads the arguments without the program name: a subcommand first (or --help / --version), then
// its long options, as "--name value" or "--name=value". `modules` are the names --module takes.
Parsed parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& modules);

// The --help text of the program, or of one subcommand.
std::string usageText(std::optional<Command> command, const std::vector<std::string>& modules);

const char* commandName(Command command);

}  // namespace orvane::cli
