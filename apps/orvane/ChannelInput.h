#pragma once

#include "apps/orvane/CommandLine.h"
#include "core/shell/App.h"

#include <string>
#include <vector>

namespace orvane::cli {

// Puts the channels the command line names into the window's entries (typed texts as they are;
// a table or settings file read by the windows' own "Load") and judges them the way the windows
// do, before anything reaches a port: every text must be a number whose registers can be
// computed, and one the windows would show yellow (outside the band, or for the transmitter off
// its raster) is refused unless `allowOutOfBand`. Returns one message per refused channel (none
// when all four may be sent). The program's file dialog must answer with the file the source
// names.
std::vector<std::string> loadAndJudgeChannels(App& app, const ChannelSource& source, bool allowOutOfBand);

}  // namespace orvane::cli
