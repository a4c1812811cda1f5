// The station's ledger as write and run keep it, in virtual time: a row for every attempt, committed
// before its line is printed; refused before anything is sent when it cannot be opened; a commit
// that fails later stops the line as a lost record; a unit that passed before is named a repeat.
#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/ledger/Sqlite.h"
#include "tests/behaviour/orvane/OrvaneLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

ledger::UnitHistory historyOf(const std::string& path, const std::string& serial) {
    auto opened = ledger::Ledger::openExisting(path);
    ledger::UnitHistory history;
    EXPECT_TRUE(opened.ledger) << opened.error;
    if (opened.ledger) {
        EXPECT_EQ(opened.ledger->history(serial, history), "");
    }
    return history;
}

class OrvaneLedger : public ::testing::Test {
protected:
    // Times in the lines are local: the tests read them in UTC.
    void SetUp() override {
#ifdef _WIN32
        _putenv_s("TZ", "UTC");
        _tzset();
#else
        ::setenv("TZ", "UTC", 1);
        ::tzset();
#endif
    }
};

// Every attempt, pass or fail, is one row with what the module sent, what was sent and read back,
// the station, port and labels; the unit's channels are what its last pass set.
TEST_F(OrvaneLedger, EveryAttemptIsARow) {
    Line line(Program::Brelund);
    line.rig({unit(1), unit(2, [](auto& f) { f.writeErrorSlots = {2}; }),
              unit(3,
                   [](auto& f) {
                       f.corrupt = true;
                       f.corruptOn = {"/R 03"};
                   })},
             20000);
    const Ran ran = line.run("run",
                             "--freq 869.9250,869.8000,868.3050,869.7500 --allow-out-of-band --count 3 "
                             "--retries 1 --label lot=7");
    EXPECT_EQ(ran.status, 1) << ran.out << ran.err;
    const std::string path = line.path("ledger.db");

    const ledger::UnitHistory passed = historyOf(path, "00000001");
    ASSERT_EQ(passed.attempts.size(), 1u);
    ASSERT_TRUE(passed.lastPass);
    const ledger::AttemptRow& row = *passed.lastPass;
    EXPECT_EQ(row.station, "station-1");
    EXPECT_EQ(row.port, "COM1");
    EXPECT_EQ(row.moduleType, "receiver");
    EXPECT_EQ(row.firmware, "R1.02");
    EXPECT_EQ(row.factoryDate, "2024/05/17");
    EXPECT_EQ(row.labels.at("lot"), "7");
    EXPECT_EQ(row.uuid.size(), 36u);
    EXPECT_EQ(row.channels[2].entered, "868.3050");
    EXPECT_EQ(row.channels[2].frequency, "868.3000");
    for (const ledger::ChannelRow& ch : row.channels) {
        EXPECT_FALSE(ch.sent.empty());
        EXPECT_EQ(ch.readBack, ch.sent);
    }

    // Two attempts each (one retry), both failed, newest first.
    const std::vector<std::pair<std::string, std::string>> failed = {{"00000002", "flash-write-error"},
                                                                     {"00000003", "discrepancy"}};
    for (const auto& [serial, reason] : failed) {
        const ledger::UnitHistory h = historyOf(path, serial);
        ASSERT_EQ(h.attempts.size(), 2u) << serial;
        EXPECT_EQ(h.attempts[0].attempt, 2);
        EXPECT_EQ(h.attempts[1].reason, reason);
        EXPECT_NE(h.attempts[0].uuid, h.attempts[1].uuid);
        EXPECT_FALSE(h.lastPass);
    }
}

// Each kind of ending is a row with its reason code, in the order the modules were handled: a
// pass, the other module type, no serial number, a unit swapped after its identity (and the unit
// swapped in), a port that fails mid-write.
TEST_F(OrvaneLedger, EachKindOfEndingIsARow) {
    Line line(Program::Quorvex);
    modsim::RigModule swapped = unit(6);
    swapped.faults.leaveAfter = "/D";
    line.rig(
        {unit(1), unit(3, [](auto& f) { f.wrongType = true; }), unit(4, [](auto& f) { f.noReply = {"/D"}; }),
         swapped, unit(7), unit(8, [](auto& f) { f.closeAfter = 8; })},
        20000);
    const Ran ran = line.run("run", kFreq + " --count 6");
    EXPECT_EQ(ran.status, 3) << ran.out << ran.err;
    auto opened = ledger::Ledger::openExisting(line.path("ledger.db"));
    ASSERT_TRUE(opened.ledger) << opened.error;
    ledger::Statement rows(opened.ledger->database(), "SELECT serial, reason FROM attempt ORDER BY id");
    std::string ends;
    while (rows.step())
        ends += rows.text(0) + ":" + rows.text(1) + " ";
    EXPECT_EQ(ends,
              "00000001: 00000003:wrong-module-type :no-response 00000006:module-changed 00000007: "
              "00000008:port-error ");
}

// A ledger that cannot be opened is refused before anything is sent.
TEST_F(OrvaneLedger, ALedgerThatCannotBeOpenedIsRefusedFirst) {
    Line line(Program::Quorvex);
    line.module();
    writeBytes(line.path("foreign.db"), "not a database, and not ours\n");
    const Ran ran = line.run("write", kFreq + " --ledger " + line.path("foreign.db"));
    EXPECT_EQ(ran.status, 2);
    EXPECT_TRUE(has(ran.err, "the ledger: ")) << ran.err;
    EXPECT_TRUE(line.port(0).writes.empty());
}

// A commit that fails after the line started (here a trigger in the file refuses the second row)
// is a lost record: the module's line says so instead of PASS, and the line stops with 4.
TEST_F(OrvaneLedger, ACommitThatFailsStopsTheLine) {
    Line line(Program::Quorvex);
    line.rig({unit(1), unit(2), unit(3)});
    {
        auto opened = ledger::Ledger::open(line.path("ledger.db"));
        ASSERT_TRUE(opened.ledger) << opened.error;
        ASSERT_EQ(opened.ledger->database().exec(
                      "CREATE TRIGGER full BEFORE INSERT ON attempt WHEN (SELECT count(*) FROM attempt) >= 1 "
                      "BEGIN SELECT RAISE(ABORT, 'disk full'); END"),
                  "");
    }
    const Ran ran = line.run("run", kFreq + " --count 3");
    EXPECT_EQ(ran.status, 4) << ran.out << ran.err;
    EXPECT_TRUE(
        ran.out.starts_with("PASS 00000001\nFAIL 00000002 record error: cannot append the record to the "
                            "ledger " +
                            line.path("ledger.db")))
        << ran.out;
    EXPECT_FALSE(has(ran.out, "00000003")) << ran.out;
}

// A unit that passed before, in another run on this station, is written and checked again and its
// line says when and where it passed.
TEST_F(OrvaneLedger, ARepeatSaysWhenAndWhereItPassed) {
    Line first(Program::Quorvex);
    first.rig({unit(1)});
    const std::string ledgerFile = first.path("shared.db");
    ASSERT_EQ(first.run("run", kFreq + " --count 1 --ledger " + ledgerFile + " --station station-3").status,
              0);
    Line second(Program::Quorvex);
    second.rig({unit(1)});
    const Ran ran = second.run("run", kFreq + " --count 1 --ledger " + ledgerFile);
    EXPECT_EQ(ran.out, "PASS 00000001 (again: passed 2026-12-07 10:20 on station-3)\npassed 1, failed 0\n");
    EXPECT_EQ(historyOf(ledgerFile, "00000001").attempts.size(), 2u);
}

}  // namespace
}  // namespace orvane::test
