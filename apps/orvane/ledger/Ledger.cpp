#include "apps/orvane/ledger/Ledger.h"

#include "apps/orvane/ledger/Schema.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

namespace orvane::ledger {

namespace {

// Several rigs and processes commit to one file; a commit takes milliseconds, so waiting this long
// for the write lock only ever ends in a row, never in a lost one.
constexpr int kBusyTimeoutMs = 30000;

constexpr const char* kAttemptColumns =
    "id, uuid, serial, module_type, firmware, factory_date, factory_offset, station, port, start_ms, end_ms, "
    "outcome, reason, fail_command, fail_channel, attempt, orvane_version";

AttemptRow attemptOf(const Statement& q) {
    AttemptRow row;
    row.uuid = q.text(1);
    row.serial = q.text(2);
    row.moduleType = q.text(3);
    row.firmware = q.text(4);
    row.factoryDate = q.text(5);
    row.factoryOffset = q.text(6);
    row.station = q.text(7);
    row.port = q.text(8);
    row.startMs = q.integer(9);
    row.endMs = q.integer(10);
    row.passed = q.text(11) == "pass";
    row.reason = q.text(12);
    row.failCommand = q.text(13);
    row.failChannel = q.isNull(14) ? -1 : static_cast<int>(q.integer(14));
    row.attempt = static_cast<int>(q.integer(15));
    row.orvaneVersion = q.text(16);
    return row;
}

// The channels and labels of the attempt with that id.
std::string readDetails(Database& db, std::int64_t id, AttemptRow& row) {
    Statement channels(db,
                       "SELECT ch, entered, frequency, sent, read_back FROM channel WHERE attempt_id = ?1");
    channels.bind(1, id);
    while (channels.step()) {
        const auto ch = channels.integer(0);
        if (ch < 0 || ch > 3) continue;
        row.channels[static_cast<std::size_t>(ch)] = {channels.text(1), channels.text(2), channels.text(3),
                                                      channels.text(4)};
    }
    Statement labels(db, "SELECT key, value FROM label WHERE attempt_id = ?1");
    labels.bind(1, id);
    while (labels.step())
        row.labels[labels.text(0)] = labels.text(1);
    return channels.failed() ? channels.error() : labels.error();
}

std::string insertRows(Database& db, const AttemptRow& row) {
    Statement attempt(
        db,
        "INSERT INTO attempt (uuid, serial, module_type, firmware, factory_date, factory_offset, "
        "station, port, start_ms, end_ms, outcome, reason, fail_command, fail_channel, attempt, "
        "orvane_version, first_of_unit) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
        "?15, ?16, ?2 <> '' AND NOT EXISTS (SELECT 1 FROM attempt WHERE serial = ?2))");
    attempt.bind(1, row.uuid).bind(2, row.serial).bind(3, row.moduleType).bind(4, row.firmware);
    attempt.bind(5, row.factoryDate).bind(6, row.factoryOffset).bind(7, row.station).bind(8, row.port);
    attempt.bind(9, row.startMs).bind(10, row.endMs).bind(11, row.passed ? "pass" : "fail");
    attempt.bind(12, row.reason).bind(13, row.failCommand);
    if (row.failChannel >= 0)
        attempt.bind(14, std::int64_t{row.failChannel});
    else
        attempt.bindNull(14);
    attempt.bind(15, std::int64_t{row.attempt}).bind(16, row.orvaneVersion);
    if (std::string why = attempt.run(); !why.empty()) return why;
    const std::int64_t id = db.lastInsertId();

    Statement channel(db,
                      "INSERT INTO channel (attempt_id, ch, entered, frequency, sent, read_back) "
                      "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (std::size_t ch = 0; ch < row.channels.size(); ++ch) {
        const ChannelRow& c = row.channels[ch];
        channel.reset();
        channel.bind(1, id).bind(2, static_cast<std::int64_t>(ch)).bind(3, c.entered).bind(4, c.frequency);
        channel.bind(5, c.sent).bind(6, c.readBack);
        if (std::string why = channel.run(); !why.empty()) return why;
    }
    Statement label(db, "INSERT INTO label (attempt_id, key, value) VALUES (?1, ?2, ?3)");
    for (const auto& [key, value] : row.labels) {
        label.reset();
        label.bind(1, id).bind(2, key).bind(3, value);
        if (std::string why = label.run(); !why.empty()) return why;
    }
    Statement outbox(db, "INSERT INTO outbox (attempt_id) VALUES (?1)");
    outbox.bind(1, id);
    return outbox.run();
}

}  // namespace

Ledger::Opened Ledger::open(const std::string& path) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && !std::filesystem::exists(folder, error))
        std::filesystem::create_directories(folder, error);
    if (error)
        return {std::nullopt,
                "cannot create the ledger's folder " + folder.string() + ": " + error.message()};
    return openAt(path, true);
}

Ledger::Opened Ledger::openExisting(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {std::nullopt, "no ledger at " + path + " (nothing has been recorded there)"};
    return openAt(path, false);
}

Ledger::Opened Ledger::openAt(const std::string& path, bool create) {
    Database db;
    if (std::string why = db.open(path, create); !why.empty())
        return {std::nullopt, "cannot open the ledger " + path + ": " + why};
    sqlite3_busy_timeout(db.handle(), kBusyTimeoutMs);
    // A report reads the whole file; a larger page cache (allocated only as used) keeps its
    // indexes in memory between its queries.
    db.exec("PRAGMA cache_size = -65536");
    if (std::string why = prepareSchema(db, path); !why.empty()) return {std::nullopt, why};
    return {Ledger(std::move(db), path), {}};
}

std::string Ledger::append(const AttemptRow& row) {
    // IMMEDIATE holds the write lock from the start: whether this is the unit's first attempt is
    // decided against every row committed before it.
    if (std::string why = m_db.exec("BEGIN IMMEDIATE"); !why.empty()) return why;
    std::string why = insertRows(m_db, row);
    if (why.empty()) why = m_db.exec("COMMIT");
    if (!why.empty()) m_db.exec("ROLLBACK");
    return why;
}

std::optional<LastPass> Ledger::lastPass(const std::string& serial) {
    Statement q(m_db,
                "SELECT end_ms, station, port FROM attempt WHERE serial = ?1 AND outcome = 'pass' "
                "ORDER BY start_ms DESC, id DESC LIMIT 1");
    q.bind(1, serial);
    if (!q.step()) return std::nullopt;
    return LastPass{q.integer(0), q.text(1), q.text(2)};
}

std::string Ledger::history(const std::string& serial, UnitHistory& out) {
    out = {};
    Statement q(m_db, std::string("SELECT ") + kAttemptColumns +
                          " FROM attempt WHERE serial = ?1 ORDER BY start_ms DESC, id DESC");
    q.bind(1, serial);
    std::int64_t lastPassId = -1;
    while (q.step()) {
        out.attempts.push_back(attemptOf(q));
        if (lastPassId < 0 && out.attempts.back().passed) lastPassId = q.integer(0);
    }
    if (q.failed()) return q.error();
    if (lastPassId < 0) return {};
    for (const AttemptRow& row : out.attempts)
        if (row.passed) {
            out.lastPass = row;
            break;
        }
    return readDetails(m_db, lastPassId, *out.lastPass);
}

}  // namespace orvane::ledger
