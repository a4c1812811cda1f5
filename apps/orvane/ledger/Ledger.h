#pragma once

#include "apps/orvane/ledger/Sqlite.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::ledger {

// One channel of an attempt; each text is "" when there was none.
struct ChannelRow {
    std::string entered;    // the text as given (--freq, a table, a settings file)
    std::string frequency;  // the frequency the module is set to, as text
    std::string sent;       // the register texts sent
    std::string readBack;   // the register texts the check read back
};

// One attempt at one module, pass or fail: a row of the ledger, never changed once written.
struct AttemptRow {
    std::string uuid;    // made before the first byte was sent (newUuid())
    std::string serial;  // as the module sent it; "" when it never identified itself
    std::string moduleType;
    std::string firmware;
    std::string factoryDate;    // as the module sent it
    std::string factoryOffset;  // as the module sent it
    std::string station;
    std::string port;  // as given
    std::map<std::string, std::string> labels;
    std::int64_t startMs = 0;  // UTC milliseconds since 1970
    std::int64_t endMs = 0;
    bool passed = false;
    std::string reason;       // the reason code of a failure ("discrepancy", "module-changed", ...)
    std::string failCommand;  // the command a failure concerns ("/W 02"), "" when none
    int failChannel = -1;     // the channel a failure concerns, -1 when none
    std::array<ChannelRow, 4> channels;  // Ch0 first
    int attempt = 1;                     // the retry number: 1 for the first try at a module
    std::string orvaneVersion;
};

// When and where a unit last passed.
struct LastPass {
    std::int64_t endMs = 0;
    std::string station;
    std::string port;
};

// A unit's attempts, newest first (channels and labels left empty), and its last passing attempt
// in full.
struct UnitHistory {
    std::vector<AttemptRow> attempts;
    std::optional<AttemptRow> lastPass;
};

// The station's ledger: one SQLite file that several processes may append to at once.
class Ledger {
public:
    struct Opened;
    // Opens the ledger at `path`, creating the file and its folder when missing.
    static Opened open(const std::string& path);
    // Opens a ledger that exists, for reading; a missing file is an error.
    static Opened openExisting(const std::string& path);

    // Appends the attempt in one committed transaction (and enters it in the outbox): when this
    // returns "" the row is on the disk. Else why not; nothing of the row was kept.
    std::string append(const AttemptRow& row);
    // The unit's last passing attempt, if it ever passed.
    std::optional<LastPass> lastPass(const std::string& serial);
    // Every attempt of the unit; "" or why the query failed.
    std::string history(const std::string& serial, UnitHistory& out);

    Database& database() { return m_db; }
    const std::string& path() const { return m_path; }

private:
    Ledger(Database db, std::string path) : m_db(std::move(db)), m_path(std::move(path)) {}
    static Opened openAt(const std::string& path, bool create);

    Database m_db;
    std::string m_path;
};

struct Ledger::Opened {
    std::optional<Ledger> ledger;
    std::string error;  // why not, when there is no ledger
};

// A random (version 4) UUID in its text form: "1b4e28ba-2fa1-4d2c-883f-0016d3cca427".
std::string newUuid();

}  // namespace orvane::ledger
