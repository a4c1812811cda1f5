#include "apps/orvane/ledger/Schema.h"

#include <array>

namespace orvane::ledger {

namespace {

// One entry per schema version: the SQL that takes version n-1 to n. Never edit a step that has
// shipped; add the next one. Every attempt is one row that is never updated or deleted (the
// triggers refuse it): a correction is a new attempt. first_of_unit marks a unit's first attempt
// in this ledger, set when the row is written, so a report needs no search for it. The outbox holds the
// attempts not yet copied to a line's server; its rows go once they are copied.
constexpr std::array<const char*, 1> kSteps = {
    R"sql(
CREATE TABLE attempt (
    id INTEGER PRIMARY KEY,
    uuid TEXT NOT NULL UNIQUE,
    serial TEXT NOT NULL,
    module_type TEXT NOT NULL,
    firmware TEXT NOT NULL,
    factory_date TEXT NOT NULL,
    factory_offset TEXT NOT NULL,
    station TEXT NOT NULL,
    port TEXT NOT NULL,
    start_ms INTEGER NOT NULL,
    end_ms INTEGER NOT NULL,
    outcome TEXT NOT NULL CHECK (outcome IN ('pass', 'fail')),
    reason TEXT NOT NULL,
    fail_command TEXT NOT NULL,
    fail_channel INTEGER CHECK (fail_channel BETWEEN 0 AND 3),
    attempt INTEGER NOT NULL,
    orvane_version TEXT NOT NULL,
    first_of_unit INTEGER NOT NULL CHECK (first_of_unit IN (0, 1))
);
CREATE TABLE channel (
    attempt_id INTEGER NOT NULL REFERENCES attempt(id),
    ch INTEGER NOT NULL CHECK (ch BETWEEN 0 AND 3),
    entered TEXT NOT NULL,
    frequency TEXT NOT NULL,
    sent TEXT NOT NULL,
    read_back TEXT NOT NULL,
    PRIMARY KEY (attempt_id, ch)
) WITHOUT ROWID;
CREATE TABLE label (
    attempt_id INTEGER NOT NULL REFERENCES attempt(id),
    key TEXT NOT NULL,
    value TEXT NOT NULL,
    PRIMARY KEY (attempt_id, key)
) WITHOUT ROWID;
CREATE TABLE outbox (attempt_id INTEGER PRIMARY KEY REFERENCES attempt(id));
CREATE INDEX attempt_by_serial ON attempt(serial, start_ms, outcome, first_of_unit);
CREATE INDEX attempt_by_start ON attempt(start_ms);
CREATE INDEX attempt_failures ON attempt(outcome, start_ms, reason);
CREATE INDEX label_by_key ON label(key, value);
CREATE TRIGGER attempt_no_update BEFORE UPDATE ON attempt
    BEGIN SELECT RAISE(ABORT, 'the ledger is append-only'); END;
CREATE TRIGGER attempt_no_delete BEFORE DELETE ON attempt
    BEGIN SELECT RAISE(ABORT, 'the ledger is append-only'); END;
CREATE TRIGGER channel_no_update BEFORE UPDATE ON channel
    BEGIN SELECT RAISE(ABORT, 'the ledger is append-only'); END;
CREATE TRIGGER channel_no_delete BEFORE DELETE ON channel
    BEGIN SELECT RAISE(ABORT, 'the ledger is append-only'); END;
CREATE TRIGGER label_no_update BEFORE UPDATE ON label
    BEGIN SELECT RAISE(ABORT, 'the ledger is append-only'); END;
CREATE TRIGGER label_no_delete BEFORE DELETE ON label
    BEGIN SELECT RAISE(ABORT, 'the ledger is append-only'); END;
)sql",
};

// Whether the file holds anything at all (a database of some other program does).
bool isEmpty(Database& db) {
    return db.integer("SELECT count(*) FROM sqlite_schema").value_or(1) == 0;
}

std::string migrate(Database& db) {
    // IMMEDIATE takes the write lock first: a second process waits here and then finds the
    // schema already current.
    if (std::string why = db.exec("BEGIN IMMEDIATE"); !why.empty()) return why;
    const std::int64_t known = schemaVersion();
    const auto version = db.integer("PRAGMA user_version");
    std::string why = version ? "" : db.lastError();
    for (std::int64_t step = version.value_or(known); why.empty() && step < known; ++step)
        why = db.exec(kSteps[static_cast<std::size_t>(step)]);
    if (why.empty() && version && *version < known) {
        // Pragmas take no bound values; both numbers are this code's own constants.
        const std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                  "; PRAGMA user_version = " + std::to_string(known);
        why = db.exec(stamp.c_str());
    }
    if (why.empty()) why = db.exec("COMMIT");
    if (!why.empty()) db.exec("ROLLBACK");
    return why;
}

}  // namespace

int schemaVersion() {
    return static_cast<int>(kSteps.size());
}

std::string prepareSchema(Database& db, const std::string& path) {
    const auto id = db.integer("PRAGMA application_id");
    const auto version = db.integer("PRAGMA user_version");
    if (!id || !version) return path + " cannot be read as a ledger: " + db.lastError();
    if (*id != kApplicationId && !(*id == 0 && *version == 0 && isEmpty(db)))
        return path + " is not an orvane ledger (another program's database): left alone";
    if (*version > schemaVersion())
        return path + " was made by a newer orvane (ledger version " + std::to_string(*version) +
               ", this one knows up to " + std::to_string(schemaVersion()) + "): left alone";
    // WAL lets readers and one writer work at once; FULL syncs the log at every commit, so an
    // attempt that was committed survives a power cut.
    if (std::string why =
            db.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON");
        !why.empty())
        return path + ": " + why;
    if (*version == schemaVersion()) return {};
    if (std::string why = migrate(db); !why.empty()) return path + " could not be set up as a ledger: " + why;
    return {};
}

}  // namespace orvane::ledger
