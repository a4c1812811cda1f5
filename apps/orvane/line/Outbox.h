#pragma once

#include "apps/orvane/ledger/Sqlite.h"
#include "apps/orvane/line/Pg.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvane::line {

struct UploadResult {
    std::int64_t uploaded = 0;  // attempts copied and taken out of the outbox
    std::string error;          // why the upload stopped early, "" when the outbox was emptied
};

// Copies the attempts in the ledger's outbox to the line, a batch per transaction on each side:
// the batch is committed on the server first (an attempt already there is left as it is), then
// taken out of the outbox. A crash in between only copies the batch again, which changes nothing.
// `stop` is asked between batches.
UploadResult uploadOutbox(ledger::Database& ledger, PgConnection& conn, const std::function<bool()>& stop);

// How many attempts wait in the outbox; nothing when it cannot be read.
std::optional<std::int64_t> pendingCount(ledger::Database& ledger);

}  // namespace orvane::line
