#pragma once

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/Session.h"
#include "core/platform/IClock.h"
#include "core/platform/IEventLoop.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/IPortNaming.h"
#include "core/platform/ISerialPort.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orvane::cli {

// What the command takes from the platform it runs on. Everything else is the same code
// everywhere.
struct PlatformKit {
    IEventLoop& loop;
    IClock& clock;
    IFileSystem& files;
    const IPortNaming& naming;
    // A new serial port of the platform's (one per rig, and per program for the probe).
    std::function<std::unique_ptr<ISerialPort>()> makePort;
    Timestamp timestamp;
    // Whether stderr is a terminal that can show a live progress line.
    bool liveProgress = false;
    // The value of an environment variable, nothing when it is not set (where the ledger lives).
    std::function<std::optional<std::string>(const std::string& name)> environment;
    // How the help and the messages speak of port names and interrupts here.
    PlatformWords words = posixWords();
    // The computer's name: the station's in the ledger unless --station names it.
    std::string hostName = {};
};

// The whole command: reads the arguments (without the program name), runs what they ask on the
// event loop and returns the exit status. Results go to `out`, diagnostics to `err`.
int runOrvane(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, PlatformKit& kit);

}  // namespace orvane::cli
