#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/ledger/LedgerPath.h"
#include "apps/orvane/ledger/Schema.h"
#include "tests/unit/ledger/LedgerFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#ifndef _WIN32
#include <sys/wait.h>

#include <unistd.h>
#endif

namespace orvane::ledger {
namespace {

using test::LedgerFolder;
using LedgerTest = LedgerFolder;

AttemptRow fullRow() {
    AttemptRow row;
    row.uuid = newUuid();
    row.serial = "00662316";
    row.moduleType = "transmitter";
    row.firmware = "V2.10";
    row.factoryDate = "2024/03/11";
    row.factoryOffset = "-3";
    row.station = "station-3";
    row.port = "COM5";
    row.labels = {{"lot", "L-17"}, {"operator", "anna, b."}};
    row.startMs = 1'796'637'047'801;
    row.endMs = 1'796'637'049'120;
    row.reason = "discrepancy";
    row.failCommand = "/C 02";
    row.failChannel = 2;
    row.channels = {{{"868.3000", "868.3000", "42 95 A0", "42 95 A0"},
                     {"868,9500", "868.9500", "42 96 11", "42 96 11"},
                     {"869.5250", "869.5250", "42 97 22", "42 97 23"},
                     {"", "", "", ""}}};
    row.attempt = 2;
    row.orvaneVersion = "1.5.2";
    return row;
}

Ledger openOrFail(const std::string& path) {
    auto opened = Ledger::open(path);
    EXPECT_EQ(opened.error, "");
    return std::move(*opened.ledger);
}

TEST_F(LedgerTest, NewFileInAMissingFolderGetsTheSchemaAndOurMarks) {
    const std::string path = pathOf("a/b/ledger.db");
    Ledger ledger = openOrFail(path);
    EXPECT_EQ(ledger.database().integer("PRAGMA application_id"), kApplicationId);
    EXPECT_EQ(ledger.database().integer("PRAGMA user_version"), schemaVersion());
    EXPECT_EQ(ledger.database().integer("SELECT count(*) FROM sqlite_schema WHERE name = 'outbox'"), 1);
    // Opening it again finds it current and changes nothing.
    EXPECT_EQ(Ledger::open(path).error, "");
}

TEST_F(LedgerTest, RefusesFilesThatAreNotOursAndLeavesThemAlone) {
    const struct {
        const char* name;
        const char* setup;  // SQL run on a fresh SQLite file; nullptr: the bytes below instead
        const char* bytes;
        const char* why;
    } cases[] = {
        {"other program", "CREATE TABLE notes (x TEXT)", nullptr, "not an orvane ledger"},
        {"other application id", "PRAGMA application_id = 7", nullptr, "not an orvane ledger"},
        {"newer ledger", "PRAGMA application_id = 1330796108; PRAGMA user_version = 99", nullptr,
         "newer orvane"},
        {"not a database", nullptr, "just some text that is long enough to be a header ....................",
         "cannot"},
    };
    for (const auto& c : cases) {
        const std::string path = pathOf(std::string(c.name) + ".db");
        if (c.setup) {
            Database db;
            ASSERT_EQ(db.open(path, true), "");
            ASSERT_EQ(db.exec(c.setup), "");
        } else {
            std::ofstream(path) << c.bytes;
        }
        const auto before = std::filesystem::file_size(path);
        const auto opened = Ledger::open(path);
        EXPECT_FALSE(opened.ledger) << c.name;
        EXPECT_NE(opened.error.find(c.why), std::string::npos) << c.name << ": " << opened.error;
        EXPECT_EQ(std::filesystem::file_size(path), before) << c.name;
        EXPECT_FALSE(std::filesystem::exists(path + "-wal")) << c.name;
    }
    EXPECT_NE(Ledger::openExisting(pathOf("missing.db")).error.find("no ledger"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pathOf("missing.db")));
}

TEST_F(LedgerTest, AnAttemptReadsBackFieldForField) {
    Ledger ledger = openOrFail(pathOf("ledger.db"));
    AttemptRow failed = fullRow();
    AttemptRow passed = fullRow();
    passed.uuid = newUuid();
    passed.startMs += 10'000;
    passed.endMs += 10'000;
    passed.passed = true;
    passed.reason.clear();
    passed.failCommand.clear();
    passed.failChannel = -1;
    passed.attempt = 3;
    ASSERT_EQ(ledger.append(failed), "");
    ASSERT_EQ(ledger.append(passed), "");

    UnitHistory history;
    ASSERT_EQ(ledger.history("00662316", history), "");
    ASSERT_EQ(history.attempts.size(), 2u);
    ASSERT_TRUE(history.lastPass);
    const AttemptRow& back = *history.lastPass;
    EXPECT_EQ(back.uuid, passed.uuid);
    EXPECT_EQ(back.serial, passed.serial);
    EXPECT_EQ(back.moduleType, passed.moduleType);
    EXPECT_EQ(back.firmware, passed.firmware);
    EXPECT_EQ(back.factoryDate, passed.factoryDate);
    EXPECT_EQ(back.factoryOffset, passed.factoryOffset);
    EXPECT_EQ(back.station, passed.station);
    EXPECT_EQ(back.port, passed.port);
    EXPECT_EQ(back.labels, passed.labels);
    EXPECT_EQ(back.startMs, passed.startMs);
    EXPECT_EQ(back.endMs, passed.endMs);
    EXPECT_TRUE(back.passed);
    EXPECT_EQ(back.failChannel, -1);
    EXPECT_EQ(back.attempt, 3);
    EXPECT_EQ(back.orvaneVersion, passed.orvaneVersion);
    for (std::size_t ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(back.channels[ch].entered, passed.channels[ch].entered) << ch;
        EXPECT_EQ(back.channels[ch].frequency, passed.channels[ch].frequency) << ch;
        EXPECT_EQ(back.channels[ch].sent, passed.channels[ch].sent) << ch;
        EXPECT_EQ(back.channels[ch].readBack, passed.channels[ch].readBack) << ch;
    }
    const AttemptRow& fail = history.attempts[1];  // newest first
    EXPECT_FALSE(fail.passed);
    EXPECT_EQ(fail.reason, "discrepancy");
    EXPECT_EQ(fail.failCommand, "/C 02");
    EXPECT_EQ(fail.failChannel, 2);

    const auto last = ledger.lastPass("00662316");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->endMs, passed.endMs);
    EXPECT_EQ(last->station, "station-3");
    EXPECT_EQ(ledger.database().integer("SELECT count(*) FROM outbox"), 2);
}

TEST_F(LedgerTest, RowsAreNeverChangedAndARefusedRowLeavesNothing) {
    Ledger ledger = openOrFail(pathOf("ledger.db"));
    const AttemptRow row = fullRow();
    ASSERT_EQ(ledger.append(row), "");
    EXPECT_NE(ledger.database().exec("UPDATE attempt SET outcome = 'pass'"), "");
    EXPECT_NE(ledger.database().exec("DELETE FROM channel"), "");
    // The same UUID twice is refused whole: no second attempt, no stray channels or labels.
    EXPECT_NE(ledger.append(row), "");
    EXPECT_EQ(ledger.database().integer("SELECT count(*) FROM channel"), 4);
    EXPECT_EQ(ledger.database().integer("SELECT count(*) FROM label"), 2);
    EXPECT_EQ(ledger.database().integer("SELECT count(*) FROM outbox"), 1);
}

TEST_F(LedgerTest, HistoryIsNewestFirstAndSaysWhenAUnitNeverPassed) {
    Ledger ledger = openOrFail(pathOf("ledger.db"));
    for (const std::int64_t start : {3000, 1000, 2000}) {
        AttemptRow row = fullRow();
        row.uuid = newUuid();
        row.startMs = start;
        ASSERT_EQ(ledger.append(row), "");
    }
    UnitHistory history;
    ASSERT_EQ(ledger.history("00662316", history), "");
    ASSERT_EQ(history.attempts.size(), 3u);
    EXPECT_EQ(history.attempts[0].startMs, 3000);
    EXPECT_EQ(history.attempts[2].startMs, 1000);
    EXPECT_FALSE(history.lastPass);
    EXPECT_FALSE(ledger.lastPass("00662316"));
    ASSERT_EQ(ledger.history("unknown", history), "");
    EXPECT_TRUE(history.attempts.empty());
}

TEST(LedgerUuid, IsRandomVersion4) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string id = newUuid();
        ASSERT_EQ(id.size(), 36u);
        EXPECT_EQ(id[14], '4');
        EXPECT_NE(std::string("89ab").find(id[19]), std::string::npos);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 100u);
}

#ifndef _WIN32
// Two processes append at once, each through its own connection: every row of both is there.
TEST_F(LedgerTest, TwoProcessesLoseNoRow) {
    const std::string path = pathOf("shared.db");
    openOrFail(path);
    constexpr int kRows = 100;
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            auto opened = Ledger::open(path);
            int failures = opened.ledger ? 0 : 1;
            for (int i = 0; opened.ledger && i < kRows; ++i) {
                AttemptRow row = fullRow();
                row.uuid = newUuid();
                row.serial = std::to_string(child * 1000 + i);
                if (!opened.ledger->append(row).empty()) ++failures;
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Ledger ledger = openOrFail(path);
    EXPECT_EQ(ledger.database().integer("SELECT count(DISTINCT serial) FROM attempt"), 2 * kRows);
    EXPECT_EQ(ledger.database().integer("SELECT count(*) FROM channel"), 4 * 2 * kRows);
}
#endif

TEST(LedgerPath, IsChosenByOptionThenEnvironmentThenPlatform) {
    using Env = std::map<std::string, std::string>;
    const struct {
        const char* option;
        bool off;
        PathStyle style;
        Env env;
        const char* path;
        bool error;
    } cases[] = {
        {"", true, PathStyle::Posix, {{"ORVANE_LEDGER", "/x.db"}}, "", false},
        {"/given.db", false, PathStyle::Posix, {{"ORVANE_LEDGER", "/x.db"}}, "/given.db", false},
        {"", false, PathStyle::Posix, {{"ORVANE_LEDGER", "/x.db"}, {"HOME", "/h"}}, "/x.db", false},
        {"",
         false,
         PathStyle::Posix,
         {{"ORVANE_LEDGER", ""}, {"HOME", "/h"}},
         "/h/.local/share/orvane/ledger.db",
         false},
        {"",
         false,
         PathStyle::Posix,
         {{"XDG_DATA_HOME", "/d"}, {"HOME", "/h"}},
         "/d/orvane/ledger.db",
         false},
        {"", false, PathStyle::Posix, {}, "", true},
        {"",
         false,
         PathStyle::Windows,
         {{"LOCALAPPDATA", "C:\\U\\AppData\\Local"}, {"HOME", "/h"}},
         "C:\\U\\AppData\\Local\\orvane\\ledger.db",
         false},
        {"", false, PathStyle::Windows, {{"HOME", "/h"}}, "", true},
    };
    for (const auto& c : cases) {
        const Env env = c.env;
        const LedgerChoice choice = chooseLedger(c.option, c.off, c.style, [&env](const std::string& name) {
            const auto it = env.find(name);
            return it == env.end() ? std::nullopt : std::optional(it->second);
        });
        EXPECT_EQ(choice.path, c.path) << c.option << " " << c.path;
        EXPECT_EQ(!choice.error.empty(), c.error) << c.path;
    }
}

}  // namespace
}  // namespace orvane::ledger
