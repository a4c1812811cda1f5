#pragma once

#include "apps/orvane/CommandLine.h"
#include "core/shell/App.h"

#include <string>
#include <vector>

namespace orvane::cli {

// Puts the channels the command line names into the window's entries (typed texts as they are;
// a table or settings file read by the windows' own table loader) and judges them by the windows'
// own rules, before anything reaches a port: every text must be a number whose registers can be
// computed; one the windows would show yellow (outside the band, or for the transmitter off its
// raster) or pink for a frequency the synthesiser cannot reach exactly is refused unless
// `allowOutOfBand`. Returns one message per refused channel (none when all four may be sent).
std::vector<std::string> loadAndJudgeChannels(App& app, const ChannelSource& source, bool allowOutOfBand);

}  // namespace orvane::cli
