#include "apps/orvane/line/Outbox.h"

#include <array>
#include <vector>

namespace orvane::line {

namespace {

using ledger::Database;
using ledger::Statement;

// Attempts per transaction: large enough that a catch-up after an outage is not held up by
// commits, small enough that one batch is quickly redone.
constexpr int kBatch = 200;

struct Pending {
    std::int64_t id = 0;
    std::vector<std::string> attempt;   // the line's attempt columns, as text
    std::vector<std::string> channels;  // the uuid, then ch0..ch3's entered, frequency, sent, read back
    std::vector<std::array<std::string, 2>> labels;
};

std::string readBatch(Database& db, std::vector<Pending>& out) {
    out.clear();
    Statement q(db,
                "SELECT a.id, a.uuid, a.serial, a.module_type, a.firmware, a.factory_date, a.factory_offset, "
                "a.station, a.port, a.start_ms, a.end_ms, a.outcome, a.reason, a.fail_command, "
                "a.fail_channel, a.attempt, a.orvane_version FROM outbox o JOIN attempt a ON a.id = "
                "o.attempt_id ORDER BY o.attempt_id LIMIT ?1");
    q.bind(1, std::int64_t{kBatch});
    while (q.step()) {
        Pending p;
        p.id = q.integer(0);
        for (int column = 1; column <= 16; ++column)
            p.attempt.push_back(q.isNull(column) ? std::string() : q.text(column));
        p.channels.assign(17, std::string());
        p.channels[0] = p.attempt[0];
        out.push_back(std::move(p));
    }
    if (q.failed()) return q.error();
    Statement channels(db,
                       "SELECT ch, entered, frequency, sent, read_back FROM channel WHERE attempt_id = ?1");
    Statement labels(db, "SELECT key, value FROM label WHERE attempt_id = ?1");
    for (Pending& p : out) {
        channels.reset();
        channels.bind(1, p.id);
        while (channels.step()) {
            const auto ch = channels.integer(0);
            if (ch < 0 || ch > 3) continue;
            for (int field = 0; field < 4; ++field)
                p.channels[static_cast<std::size_t>(1 + ch * 4 + field)] = channels.text(1 + field);
        }
        labels.reset();
        labels.bind(1, p.id);
        while (labels.step())
            p.labels.push_back({labels.text(0), labels.text(1)});
        if (channels.failed()) return channels.error();
        if (labels.failed()) return labels.error();
    }
    return {};
}

// A JSON string: the batch travels as three JSON parameters, one statement per table, so a
// catch-up costs three round trips per batch instead of several per attempt.
void appendJson(std::string& out, const std::string& text) {
    static const char* const kHex = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

// The names of the attempt columns, in the order of Pending::attempt.
constexpr std::array<const char*, 16> kAttemptNames = {
    "uuid",         "serial",       "module_type", "firmware",      "factory_date", "factory_offset",
    "station",      "port",         "start_ms",    "end_ms",        "outcome",      "reason",
    "fail_command", "fail_channel", "attempt",     "orvane_version"};
constexpr std::array<const char*, 4> kChannelNames = {"entered", "frequency", "sent", "read_back"};

std::array<std::string, 3> batchJson(const std::vector<Pending>& batch) {
    std::array<std::string, 3> json{"[", "[", "["};
    for (const Pending& p : batch) {
        std::string& attempts = json[0];
        attempts += attempts.size() > 1 ? ",{" : "{";
        for (std::size_t column = 0; column < kAttemptNames.size(); ++column) {
            attempts += column > 0 ? ",\"" : "\"";
            attempts += kAttemptNames[column];
            attempts += "\":";
            if (column == 13 && p.attempt[column].empty())
                attempts += "null";
            else
                appendJson(attempts, p.attempt[column]);
        }
        attempts += '}';
        for (std::size_t ch = 0; ch < 4; ++ch) {
            std::string& channels = json[1];
            channels += channels.size() > 1 ? ",{\"attempt\":" : "{\"attempt\":";
            appendJson(channels, p.attempt[0]);
            channels += ",\"ch\":" + std::to_string(ch);
            for (std::size_t field = 0; field < kChannelNames.size(); ++field) {
                channels += ",\"";
                channels += kChannelNames[field];
                channels += "\":";
                appendJson(channels, p.channels[1 + ch * 4 + field]);
            }
            channels += '}';
        }
        for (const auto& [key, value] : p.labels) {
            std::string& labels = json[2];
            labels += labels.size() > 1 ? ",{\"attempt\":" : "{\"attempt\":";
            appendJson(labels, p.attempt[0]);
            labels += ",\"key\":";
            appendJson(labels, key);
            labels += ",\"value\":";
            appendJson(labels, value);
            labels += '}';
        }
    }
    for (std::string& array : json)
        array += ']';
    return json;
}

std::string insertBatch(PgConnection& conn, const std::vector<Pending>& batch) {
    const std::array<std::string, 3> json = batchJson(batch);
    if (std::string why = conn.run("BEGIN"); !why.empty()) return why;
    std::string why = conn.run(
        "INSERT INTO orvane.attempt (uuid, serial, module_type, firmware, factory_date, factory_offset, "
        "station, "
        "port, start_ms, end_ms, outcome, reason, fail_command, fail_channel, attempt, orvane_version) "
        "SELECT * FROM json_to_recordset($1::json) AS r(uuid uuid, serial text, module_type text, firmware "
        "text, "
        "factory_date text, factory_offset text, station text, port text, start_ms bigint, end_ms bigint, "
        "outcome text, reason text, fail_command text, fail_channel smallint, attempt integer, "
        "orvane_version text) ON CONFLICT (uuid) DO NOTHING",
        {json[0]});
    if (why.empty())
        why = conn.run(
            "INSERT INTO orvane.channel (attempt, ch, entered, frequency, sent, read_back) "
            "SELECT * FROM json_to_recordset($1::json) AS r(attempt uuid, ch smallint, entered text, "
            "frequency text, sent text, read_back text) ON CONFLICT (attempt, ch) DO NOTHING",
            {json[1]});
    if (why.empty())
        why = conn.run(
            "INSERT INTO orvane.label (attempt, key, value) SELECT * FROM json_to_recordset($1::json) AS "
            "r(attempt uuid, key text, value text) ON CONFLICT (attempt, key) DO NOTHING",
            {json[2]});
    if (why.empty()) why = conn.run("COMMIT");
    if (!why.empty()) conn.run("ROLLBACK");
    return why;
}

std::string takeOut(Database& db, const std::vector<Pending>& batch) {
    if (std::string why = db.exec("BEGIN IMMEDIATE"); !why.empty()) return why;
    Statement remove(db, "DELETE FROM outbox WHERE attempt_id = ?1");
    std::string why;
    for (const Pending& p : batch) {
        remove.reset();
        remove.bind(1, p.id);
        if (why = remove.run(); !why.empty()) break;
    }
    if (why.empty()) why = db.exec("COMMIT");
    if (!why.empty()) db.exec("ROLLBACK");
    return why;
}

}  // namespace

UploadResult uploadOutbox(Database& ledger, PgConnection& conn, const std::function<bool()>& stop) {
    UploadResult result;
    std::vector<Pending> batch;
    while (!stop()) {
        if (std::string why = readBatch(ledger, batch); !why.empty()) {
            result.error = "cannot read the ledger's outbox: " + why;
            break;
        }
        if (batch.empty()) break;
        if (std::string why = insertBatch(conn, batch); !why.empty()) {
            result.error = "the line refused the upload: " + why;
            break;
        }
        if (std::string why = takeOut(ledger, batch); !why.empty()) {
            result.error = "cannot take uploaded attempts out of the ledger's outbox: " + why;
            break;
        }
        result.uploaded += static_cast<std::int64_t>(batch.size());
    }
    return result;
}

std::optional<std::int64_t> pendingCount(Database& ledger) {
    return ledger.integer("SELECT count(*) FROM outbox");
}

}  // namespace orvane::line
