#pragma once

#include "tools/modsim/core/Rig.h"
#include "tools/modsim/core/SimConfig.h"

#include <string>
#include <vector>

namespace orvane::modsim {

// Everything the simulator program is told on its command line.
struct SimOptions {
    SimConfig config;
    // Symlink to create to the pseudo-terminal (removed again on exit); empty for none.
    std::string link;
    // Pause before each reply, milliseconds.
    int delayMs = 0;
    // Pause between the pieces of a reply cut by --chunk, milliseconds.
    int chunkPauseMs = 2;
    // Rig mode when not empty (--rig): the modules put on one after another, each with the
    // faults given outside the list and its own.
    std::vector<RigModule> rig;
    int rigHoldMs = 3000;
    int rigGapMs = 500;
    bool exitOnStdinEof = false;
    bool log = false;
    bool dumpFlash = false;
    bool help = false;
};

// Result of reading the arguments: the options, or an error text naming the bad argument.
struct ParsedCommandLine {
    SimOptions options;
    std::string error;
};

// Reads the arguments (without the program name). Values are checked as far as the command line
// can; ModuleSim checks the rest of the configuration.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string usageText();

}  // namespace orvane::modsim
