#pragma once

#include "core/window/IRegisterModel.h"
#include "core/window/Profile.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane::cli {

// A program orvane can stand in for: its profile and its register model.
struct ProgramEntry {
    Profile (*profile)();
    std::unique_ptr<IRegisterModel> (*makeModel)();
};

// Both programs, the transmitter's first.
const std::vector<ProgramEntry>& programs();

// The names --module takes: each program's module ("transmitter") and, lower case, the program's
// own ("quorvex").
std::vector<std::string> moduleNames();

// The program a --module name names (one of moduleNames()).
const ProgramEntry& programNamed(const std::string& name);

}  // namespace orvane::cli
