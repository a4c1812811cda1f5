#pragma once

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/ledger/LedgerPath.h"

#include <ostream>

namespace orvane::cli {

// sync and line init: the station's outbox copied to the line now, and the line's tables set up.
// Returns the exit status: 0; 2 when no line is named; 4 when the ledger cannot be opened; 5 when
// the line cannot be reached or refuses (what was not copied stays in the outbox).
int runLineCommand(const Options& options, std::ostream& out, std::ostream& err,
                   const ledger::EnvironmentLookup& environment);

}  // namespace orvane::cli
