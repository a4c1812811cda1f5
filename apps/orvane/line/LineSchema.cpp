#include "apps/orvane/line/LineSchema.h"

#include <array>

namespace orvane::line {

namespace {

// "ORVL": the advisory lock every orvane takes while it migrates the line's tables.
constexpr const char* kMigrationLock = "1330796108";

// One entry per version: the SQL that takes version n-1 to n. Never edit a step that has shipped;
// add the next one. The same facts as the station's ledger, keyed by the attempt's UUID, so that
// copying an attempt twice keeps one row.
constexpr std::array<const char*, 1> kSteps = {
    R"sql(
CREATE SCHEMA IF NOT EXISTS orvane;
CREATE TABLE orvane.schema_version (version integer NOT NULL);
CREATE TABLE orvane.attempt (
    uuid uuid PRIMARY KEY,
    serial text NOT NULL,
    module_type text NOT NULL,
    firmware text NOT NULL,
    factory_date text NOT NULL,
    factory_offset text NOT NULL,
    station text NOT NULL,
    port text NOT NULL,
    start_ms bigint NOT NULL,
    end_ms bigint NOT NULL,
    outcome text NOT NULL CHECK (outcome IN ('pass', 'fail')),
    reason text NOT NULL,
    fail_command text NOT NULL,
    fail_channel smallint CHECK (fail_channel BETWEEN 0 AND 3),
    attempt integer NOT NULL,
    orvane_version text NOT NULL,
    received timestamptz NOT NULL DEFAULT now()
);
CREATE TABLE orvane.channel (
    attempt uuid NOT NULL REFERENCES orvane.attempt(uuid),
    ch smallint NOT NULL CHECK (ch BETWEEN 0 AND 3),
    entered text NOT NULL,
    frequency text NOT NULL,
    sent text NOT NULL,
    read_back text NOT NULL,
    PRIMARY KEY (attempt, ch)
);
CREATE TABLE orvane.label (
    attempt uuid NOT NULL REFERENCES orvane.attempt(uuid),
    key text NOT NULL,
    value text NOT NULL,
    PRIMARY KEY (attempt, key)
);
CREATE INDEX attempt_by_serial ON orvane.attempt (serial, start_ms);
CREATE INDEX attempt_by_start ON orvane.attempt (start_ms);
)sql",
};

// The version the tables are at: 0 when there are none, -1 when it cannot be read.
int versionOf(PgConnection& conn, std::string& why) {
    const PgResult exists = conn.exec("SELECT to_regclass('orvane.schema_version') IS NOT NULL");
    if (!exists.ok()) {
        why = exists.error();
        return -1;
    }
    if (exists.text(0, 0) != "t") return 0;
    const PgResult version = conn.exec("SELECT coalesce(max(version), 0) FROM orvane.schema_version");
    if (!version.ok()) {
        why = version.error();
        return -1;
    }
    return static_cast<int>(version.integer(0, 0));
}

std::string migrate(PgConnection& conn) {
    // A session lock, taken before the transaction: a second station waits here, and its
    // transaction then starts with the first one's tables in view (a transaction begun before
    // the wait could still see its own earlier look at the catalog).
    const std::string lock = std::string("SELECT pg_advisory_lock(") + kMigrationLock + ")";
    if (std::string why = conn.run(lock); !why.empty()) return why;
    std::string why = conn.run("BEGIN");
    const int version = why.empty() ? versionOf(conn, why) : -1;
    for (int step = version; why.empty() && step < lineSchemaVersion(); ++step)
        why = conn.script(kSteps[static_cast<std::size_t>(step)]);
    if (why.empty() && version < lineSchemaVersion())
        why = conn.run("INSERT INTO orvane.schema_version (version) VALUES ($1::integer)",
                       {std::to_string(lineSchemaVersion())});
    if (why.empty()) why = conn.run("COMMIT");
    if (!why.empty()) conn.run("ROLLBACK");
    conn.run(std::string("SELECT pg_advisory_unlock(") + kMigrationLock + ")");
    return why;
}

}  // namespace

int lineSchemaVersion() {
    return static_cast<int>(kSteps.size());
}

std::string prepareLine(PgConnection& conn) {
    std::string why;
    const int version = versionOf(conn, why);
    if (version < 0) return "cannot read the line's schema version: " + why;
    if (version > lineSchemaVersion())
        return "the line's tables were made by a newer orvane (version " + std::to_string(version) +
               ", this one knows up to " + std::to_string(lineSchemaVersion()) + "): left alone";
    if (version == lineSchemaVersion()) return {};
    why = migrate(conn);
    if (why.empty()) return {};
    if (why.find("permission denied") != std::string::npos)
        return "the line's tables are missing or old and this role may not create them (" + why +
               "): have the database's owner run 'orvane line init URL'";
    return "cannot set up the line's tables: " + why;
}

}  // namespace orvane::line
