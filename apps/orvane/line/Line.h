#pragma once

#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/ledger/LedgerPath.h"
#include "apps/orvane/ledger/ReportFigures.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace orvane::line {

// Why `conninfo` cannot be used by this build, or "": a libpq built without TLS (the Windows
// build's) cannot honour an sslmode that demands it, and says so before any connection is tried.
std::string tlsRefusal(const std::string& conninfo);

// The line a command uses: --line URL, else $ORVANE_LINE (a variable set to "" counts as not set);
// "" for none. `error` when one was asked for and this build cannot reach it (TLS demanded of a
// build without it).
struct LineChoice {
    std::string url;
    std::string error;
};
LineChoice chooseLine(const std::string& option, const ledger::EnvironmentLookup& environment);

// Creates or migrates the line's tables (run by the database's owner). "" or why not.
std::string initLine(const std::string& url);

struct SyncResult {
    std::int64_t uploaded = 0;  // attempts copied to the line now
    std::int64_t pending = 0;   // attempts still in the outbox
    std::string error;          // why some are left, "" when the outbox is empty
};

// Copies everything in the ledger's outbox to the line, now.
SyncResult syncLedger(const std::string& ledgerPath, const std::string& url);

// Copies the line's attempts at one unit into `into` (an empty ledger, usually in memory), so that
// the station's own history answers for the whole line. "" or why not.
std::string loadUnit(const std::string& url, const std::string& serial, ledger::Ledger& into);
// Copies what a report over the period needs: every attempt that started in it, and every attempt
// of the units seen in it (their first attempt ever decides the first-pass yield), with the label
// `labelKey` ("" for none).
std::string loadPeriod(const std::string& url, const ledger::ReportQuery& query, ledger::Ledger& into);

// Copies a station's new attempts to the line in the background: a worker thread with its own
// ledger connection, woken after each committed append. The caller never waits on the network,
// and a server that is away only leaves the attempts in the outbox for a later wake (or a retry
// every half minute) or `orvane sync`.
class LineUploader {
public:
    LineUploader(std::string ledgerPath, std::string url);
    ~LineUploader();
    LineUploader(const LineUploader&) = delete;
    LineUploader& operator=(const LineUploader&) = delete;

    // After each attempt committed to the ledger: upload what is in the outbox.
    void wake();

    struct Left {
        std::int64_t pending = 0;  // attempts still in the outbox (-1: unknown)
        std::string error;         // the last reason an upload failed, "" when none
    };
    // Ends the uploader: waits up to `timeout` for the outbox to be emptied, then stops. A worker
    // still inside a network call is left to end with the process.
    Left finish(std::chrono::milliseconds timeout);

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    bool m_finished = false;
};

// What a command says on stderr when it ends with attempts left in the outbox ("" when none).
std::string leftoverNote(const LineUploader::Left& left);

}  // namespace orvane::line
