#include "apps/orvane/line/Line.h"

#include "apps/orvane/line/LineSchema.h"
#include "apps/orvane/line/Outbox.h"
#include "apps/orvane/line/Pg.h"

#include <map>

namespace orvane::line {

namespace {

// A command run by hand waits a little longer for a slow server than a station's worker does.
constexpr int kConnectTimeoutSeconds = 10;

constexpr const char* kColumns =
    "t.uuid, t.serial, t.module_type, t.firmware, t.factory_date, t.factory_offset, t.station, t.port, "
    "t.start_ms, t.end_ms, t.outcome, t.reason, t.fail_command, t.fail_channel, t.attempt, t.orvane_version";

std::string connect(PgConnection& conn, const std::string& url) {
    if (std::string why = conn.open(url, kConnectTimeoutSeconds); !why.empty())
        return "cannot reach the line: " + why;
    return {};
}

ledger::AttemptRow rowOf(const PgResult& r, int i) {
    ledger::AttemptRow row;
    row.uuid = r.text(i, 0);
    row.serial = r.text(i, 1);
    row.moduleType = r.text(i, 2);
    row.firmware = r.text(i, 3);
    row.factoryDate = r.text(i, 4);
    row.factoryOffset = r.text(i, 5);
    row.station = r.text(i, 6);
    row.port = r.text(i, 7);
    row.startMs = r.integer(i, 8);
    row.endMs = r.integer(i, 9);
    row.passed = r.text(i, 10) == "pass";
    row.reason = r.text(i, 11);
    row.failCommand = r.text(i, 12);
    row.failChannel = r.isNull(i, 13) ? -1 : static_cast<int>(r.integer(i, 13));
    row.attempt = static_cast<int>(r.integer(i, 14));
    row.orvaneVersion = r.text(i, 15);
    return row;
}

// Appends the rows of a query over kColumns to the ledger, with their channels.
std::string appendRows(const PgResult& rows, ledger::Ledger& into,
                       const std::map<std::string, std::array<ledger::ChannelRow, 4>>& channels) {
    if (!rows.ok()) return rows.error();
    for (int i = 0; i < rows.rows(); ++i) {
        ledger::AttemptRow row = rowOf(rows, i);
        if (const auto found = channels.find(row.uuid); found != channels.end()) row.channels = found->second;
        if (std::string why = into.append(row); !why.empty()) return why;
    }
    return {};
}

// The rows of a report's query (kColumns and a label value, in time order, so each unit's first
// attempt on the line is marked as the ledger marks its own) into the ledger's attempt and label
// tables, in one transaction with the statements reused: a report may read the whole line, and
// an append per row (a transaction each, channels included) would cost ten times as much.
std::string mirrorRows(const PgResult& rows, ledger::Database& db, const std::string& labelKey) {
    using ledger::Statement;
    if (!rows.ok()) return rows.error();
    if (std::string why = db.exec("BEGIN"); !why.empty()) return why;
    Statement attempt(
        db,
        "INSERT INTO attempt (uuid, serial, module_type, firmware, factory_date, factory_offset, "
        "station, port, start_ms, end_ms, outcome, reason, fail_command, fail_channel, attempt, "
        "orvane_version, first_of_unit) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
        "?14, ?15, ?16, ?2 <> '' AND NOT EXISTS (SELECT 1 FROM attempt WHERE serial = ?2))");
    Statement label(db, "INSERT INTO label (attempt_id, key, value) VALUES (?1, ?2, ?3)");
    std::string why = attempt.error();
    for (int i = 0; why.empty() && i < rows.rows(); ++i) {
        attempt.reset();
        for (int column = 0; column < 16; ++column) {
            if (column == 8 || column == 9 || column == 14)
                attempt.bind(column + 1, static_cast<std::int64_t>(rows.integer(i, column)));
            else if (rows.isNull(i, column))
                attempt.bindNull(column + 1);
            else
                attempt.bind(column + 1, rows.text(i, column));
        }
        why = attempt.run();
        if (why.empty() && !labelKey.empty() && !rows.isNull(i, 16)) {
            label.reset();
            label.bind(1, db.lastInsertId()).bind(2, labelKey).bind(3, rows.text(i, 16));
            why = label.run();
        }
    }
    if (why.empty()) why = db.exec("COMMIT");
    if (!why.empty()) db.exec("ROLLBACK");
    return why;
}

}  // namespace

std::string initLine(const std::string& url) {
    PgConnection conn;
    if (std::string why = connect(conn, url); !why.empty()) return why;
    return prepareLine(conn);
}

SyncResult syncLedger(const std::string& ledgerPath, const std::string& url) {
    SyncResult result;
    auto opened = ledger::Ledger::openExisting(ledgerPath);
    if (!opened.ledger) {
        result.pending = -1;
        result.error = opened.error;
        return result;
    }
    ledger::Database& db = opened.ledger->database();
    PgConnection conn;
    result.error = connect(conn, url);
    if (result.error.empty()) result.error = prepareLine(conn);
    if (result.error.empty()) {
        const UploadResult upload = uploadOutbox(db, conn, [] { return false; });
        result.uploaded = upload.uploaded;
        result.error = upload.error;
    }
    result.pending = pendingCount(db).value_or(-1);
    if (result.error.empty() && result.pending != 0) result.error = "attempts are left in the outbox";
    return result;
}

std::string loadUnit(const std::string& url, const std::string& serial, ledger::Ledger& into) {
    PgConnection conn;
    if (std::string why = connect(conn, url); !why.empty()) return why;
    if (std::string why = prepareLine(conn); !why.empty()) return why;
    const PgResult channels = conn.exec(
        "SELECT c.attempt, c.ch, c.entered, c.frequency, c.sent, c.read_back FROM orvane.channel c "
        "JOIN orvane.attempt t ON t.uuid = c.attempt WHERE t.serial = $1",
        {serial});
    if (!channels.ok()) return channels.error();
    std::map<std::string, std::array<ledger::ChannelRow, 4>> byAttempt;
    for (int i = 0; i < channels.rows(); ++i) {
        const auto ch = channels.integer(i, 1);
        if (ch < 0 || ch > 3) continue;
        byAttempt[channels.text(i, 0)][static_cast<std::size_t>(ch)] = {
            channels.text(i, 2), channels.text(i, 3), channels.text(i, 4), channels.text(i, 5)};
    }
    const PgResult rows =
        conn.exec(std::string("SELECT ") + kColumns +
                      " FROM orvane.attempt t WHERE t.serial = $1 ORDER BY t.start_ms, t.uuid",
                  {serial});
    return appendRows(rows, into, byAttempt);
}

std::string loadPeriod(const std::string& url, const ledger::ReportQuery& query, ledger::Ledger& into) {
    PgConnection conn;
    if (std::string why = connect(conn, url); !why.empty()) return why;
    if (std::string why = prepareLine(conn); !why.empty()) return why;
    const std::string labelKey = query.by == ledger::GroupBy::Label ? query.label : std::string();
    const PgResult rows = conn.exec(
        std::string("SELECT ") + kColumns +
            ", l.value FROM orvane.attempt t LEFT JOIN orvane.label l ON l.attempt = t.uuid AND l.key = $3 "
            "WHERE (t.start_ms >= $1::bigint AND t.start_ms < $2::bigint) OR t.serial IN (SELECT serial FROM "
            "orvane.attempt WHERE start_ms >= $1::bigint AND start_ms < $2::bigint AND serial <> '') "
            "ORDER BY t.start_ms, t.uuid",
        {std::to_string(query.sinceMs), std::to_string(query.untilMs), labelKey});
    return mirrorRows(rows, into.database(), labelKey);
}

}  // namespace orvane::line
