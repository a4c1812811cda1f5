#pragma once

#include "apps/orvane/CommandLine.h"
#include "apps/orvane/ledger/LedgerPath.h"

#include <ostream>

namespace orvane::cli {

// history and report: answers from the ledger, which they only read; no port is opened. Returns
// the exit status: 0, or 4 when the ledger (or the page) cannot be opened, read or written.
int runLedgerCommand(const Options& options, std::ostream& out, std::ostream& err,
                     const ledger::EnvironmentLookup& environment);

}  // namespace orvane::cli
