#include "apps/orvane/LedgerCommands.h"
#include "apps/orvane/LineCommands.h"
#include "apps/orvane/line/Line.h"
#include "apps/orvane/line/Pg.h"
#include "tests/behaviour/orvane/OrvaneLine.h"
#include "tests/line/PgCluster.h"
#include "tests/unit/ledger/LedgerFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <csignal>
#include <poll.h>
#include <random>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace orvane::line {
namespace {

using namespace std::chrono_literals;
using ledger::AttemptRow;
using ledger::Ledger;

// One server for the whole suite (starting one takes seconds); a database per test.
class LineTest : public test::LedgerFolder {
protected:
    static void SetUpTestSuite() { s_cluster = test::PgCluster::create(s_why, s_missing); }
    static void TearDownTestSuite() { s_cluster.reset(); }

    void SetUp() override {
        if (s_missing) GTEST_SKIP() << "skipped: " << s_why;
        ASSERT_TRUE(s_cluster) << s_why;
        test::LedgerFolder::SetUp();
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        m_database = "line_" + name.substr(0, 40);
        m_url = s_cluster->newDatabase(m_database);
    }

    // The first column of the first row of a query on the line.
    std::string ask(const std::string& sql) {
        PgConnection conn;
        if (std::string why = conn.open(m_url, 5); !why.empty()) return why;
        const PgResult r = conn.exec(sql);
        return r.ok() && r.rows() > 0 ? r.text(0, 0) : r.error();
    }
    // Runs SQL statements on the line as its owner; "" or why not.
    std::string setUp(const char* sql) {
        PgConnection conn;
        if (std::string why = conn.open(m_url, 5); !why.empty()) return why;
        return conn.script(sql);
    }

    static inline std::unique_ptr<test::PgCluster> s_cluster;
    static inline std::string s_why;
    static inline bool s_missing = false;
    std::string m_database;
    std::string m_url;
};

AttemptRow attempt(const std::string& serial, const std::string& station, bool passed, std::int64_t startMs) {
    AttemptRow row;
    row.uuid = ledger::newUuid();
    row.serial = serial;
    row.moduleType = "transmitter";
    row.station = station;
    row.port = "COM5";
    row.startMs = startMs;
    row.endMs = startMs + 900;
    row.passed = passed;
    row.reason = passed ? "" : "discrepancy";
    row.failChannel = passed ? -1 : 2;
    row.labels = {{"lot", "L7"}, {"note", "say \"hi\"\\\n\t"}};
    for (std::size_t ch = 0; ch < 4; ++ch)
        row.channels[ch] = {"868.3", "868.3000", "0D 8A", passed ? "0D 8A" : ""};
    return row;
}

// A station in a process of its own: appends the attempts to a new ledger, waking its uploader
// after each commit as write and run do, and ends with status 0 when its outbox was emptied.
pid_t station(const std::string& path, const std::string& url, int count, const std::string& name) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    auto opened = Ledger::open(path);
    if (!opened.ledger) _exit(2);
    LineUploader uploader(path, url);
    for (int i = 0; i < count; ++i) {
        if (!opened.ledger->append(attempt(name + "-" + std::to_string(i), name, i % 3 != 0, 1000 + i))
                 .empty())
            _exit(3);
        uploader.wake();
    }
    _exit(uploader.finish(20s).pending == 0 ? 0 : 4);
}

int statusOf(pid_t pid) {
    int status = -1;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(LineTest, TwoStationsMigratingAtOnceBothSucceed) {
    std::string first = "-", second = "-";
    std::thread a([&] { first = initLine(m_url); });
    std::thread b([&] { second = initLine(m_url); });
    a.join();
    b.join();
    EXPECT_EQ(first, "");
    EXPECT_EQ(second, "");
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.schema_version"), "1");
}

TEST_F(LineTest, TwoStationsOnOneLineDeliverEveryAttemptOnce) {
    const pid_t a = station(pathOf("a.db"), m_url, 60, "st-a");
    const pid_t b = station(pathOf("b.db"), m_url, 60, "st-b");
    EXPECT_EQ(statusOf(a), 0);
    EXPECT_EQ(statusOf(b), 0);
    EXPECT_EQ(ask("SELECT count(DISTINCT uuid) || ' ' || count(*) FROM orvane.attempt"), "120 120");
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.channel"), "480");
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.label WHERE key = 'lot' AND value = 'L7'"), "120");
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.label WHERE value = 'say \"hi\"\\' || chr(10) || chr(9)"),
              "120");
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.attempt WHERE fail_channel = 2"), "40");
}

TEST_F(LineTest, AttemptsMadeWhileTheServerIsAwayGoUpOnceWhenItIsBack) {
    const std::string path = pathOf("ledger.db");
    auto opened = Ledger::open(path);
    ASSERT_TRUE(opened.ledger);
    Ledger& station = *opened.ledger;
    // One run's uploader sees the server go away in the middle and come back.
    LineUploader run(path, m_url);
    auto make = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            ASSERT_EQ(station.append(attempt("U" + std::to_string(i), "st", true, i)), "");
            run.wake();
        }
    };
    make(0, 5);
    ASSERT_EQ(s_cluster->stop(), "");
    make(5, 10);
    {
        // Meanwhile another command ends, and sync tries: both say what is left.
        LineUploader other(path, m_url);
        const LineUploader::Left left = other.finish(2s);
        EXPECT_GE(left.pending, 5);
        EXPECT_NE(leftoverNote(left).find("attempts are left in the ledger's outbox"), std::string::npos)
            << leftoverNote(left);
        const SyncResult away = syncLedger(path, m_url);
        EXPECT_GE(away.pending, 5);
        EXPECT_NE(away.error, "");
    }
    ASSERT_EQ(s_cluster->start(), "");
    // The next attempt's wake takes the ones made meanwhile along, on a new connection.
    make(10, 11);
    EXPECT_EQ(run.finish(20s).pending, 0);
    // A batch copied but still in the outbox (a crash between the two commits) is copied again
    // without a second row.
    ASSERT_EQ(station.database().exec("INSERT INTO outbox (attempt_id) SELECT id FROM attempt LIMIT 3"), "");
    const SyncResult again = syncLedger(path, m_url);
    EXPECT_EQ(again.error, "");
    EXPECT_EQ(again.uploaded, 3);
    EXPECT_EQ(again.pending, 0);
    EXPECT_EQ(ask("SELECT count(DISTINCT uuid) || ' ' || count(*) FROM orvane.attempt"), "11 11");
}

TEST_F(LineTest, AStationRoleWithOnlyInsertAndSelectUploadsOnceTheOwnerInitialised) {
    ASSERT_EQ(
        setUp("DO $$ BEGIN CREATE ROLE station LOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$"),
        "");
    const std::string dbname = m_url.substr(m_url.rfind('=') + 1);
    const std::string asStation = s_cluster->conninfo(dbname, "station");
    const std::string path = pathOf("ledger.db");
    {
        auto opened = Ledger::open(path);
        ASSERT_EQ(opened.ledger->append(attempt("U1", "st", true, 1)), "");
    }
    // PostgreSQL 15 lets no role but the owner create in the public schema, nor a schema.
    EXPECT_NE(syncLedger(path, asStation).error.find("orvane line init"), std::string::npos);
    ASSERT_EQ(initLine(m_url), "");
    // The grants the README gives a station's role.
    ASSERT_EQ(setUp("GRANT USAGE ON SCHEMA orvane TO station; "
                    "GRANT SELECT, INSERT ON ALL TABLES IN SCHEMA orvane TO station"),
              "");
    const SyncResult synced = syncLedger(path, asStation);
    EXPECT_EQ(synced.error, "");
    EXPECT_EQ(synced.uploaded, 1);
}

struct Answer {
    int status;
    std::string out;
};

// Runs a command; ORVANE_LINE is `line` ("" for not set).
Answer command(cli::Options options, const std::string& line = {}) {
    std::ostringstream out, err;
    const auto env = [&line](const std::string& name) {
        return name == "ORVANE_LINE" && !line.empty() ? std::optional(line) : std::nullopt;
    };
    const int status = options.command == cli::Command::Sync ? cli::runLineCommand(options, out, err, env)
                                                             : cli::runLedgerCommand(options, out, err, env);
    return {status, out.str() + err.str()};
}

TEST_F(LineTest, TheLineAnswersForEveryStationAndCountsAUnitOnce) {
    const std::string pathA = pathOf("a.db"), pathB = pathOf("b.db");
    {
        auto a = Ledger::open(pathA);
        auto b = Ledger::open(pathB);
        // U1 fails on station A, passes on station B; U2 passes on A; one module never answered.
        ASSERT_EQ(a.ledger->append(attempt("U1", "st-a", false, 1000)), "");
        ASSERT_EQ(b.ledger->append(attempt("U1", "st-b", true, 2000)), "");
        ASSERT_EQ(a.ledger->append(attempt("U2", "st-a", true, 3000)), "");
        AttemptRow silent = attempt("", "st-b", false, 4000);
        silent.reason = "no-response";
        ASSERT_EQ(b.ledger->append(silent), "");
    }
    for (const std::string& path : {pathA, pathB}) {
        // One station names the line with --line, the other by ORVANE_LINE.
        cli::Options sync;
        sync.command = cli::Command::Sync;
        sync.ledgerFile = path;
        sync.lineUrl = path == pathA ? m_url : "";
        const Answer synced = command(sync, path == pathB ? m_url : "");
        EXPECT_EQ(synced.status, 0) << synced.out;
        EXPECT_EQ(synced.out, "2 attempts copied to the line, 0 left in the outbox\n");
    }
    cli::Options report;
    report.command = cli::Command::Report;
    report.lineUrl = m_url;
    report.by = "station";
    report.csv = true;
    const Answer figures = command(report);
    EXPECT_EQ(figures.status, 0) << figures.out;
    // Two units over four attempts: first-pass 1 of 2, both finally passed, U1 retested.
    const auto total =
        figures.out.find("(total),2,3,1,2,1,0.5000,2,1.0000,1,0.5000,1.5000,discrepancy:1;no-response:1");
    EXPECT_NE(total, std::string::npos) << figures.out;
    // Per station U1 counts on both; its first attempt ever (a failure) belongs to st-a.
    EXPECT_NE(figures.out.find("st-a,2,2,0,2,1,0.5000,1,0.5000,0,0.0000,1.0000,discrepancy:1"),
              std::string::npos)
        << figures.out;

    cli::Options history;
    history.command = cli::Command::History;
    history.lineUrl = m_url;
    history.serial = "U1";
    const Answer seen = command(history);
    EXPECT_EQ(seen.status, 0) << seen.out;
    EXPECT_NE(seen.out.find("U1: 2 attempts"), std::string::npos) << seen.out;
    EXPECT_NE(seen.out.find("(st-b COM5):  Ch0 868.3000"), std::string::npos) << seen.out;
}

// `run` copies each attempt to the line as it commits it, and a server that is away never stops
// the line: what was made meanwhile goes up with `orvane sync`, every attempt exactly once.
TEST_F(LineTest, ARunCopiesEveryAttemptAndNeverWaitsForTheLine) {
    // The same database as a URL: the command line here is split at blanks.
    const std::string url = s_cluster->url(m_database);
    auto runThree = [&url](unsigned first, const std::string& ledgerFile) {
        test::Line rig(test::Program::Quorvex);
        rig.rig({{first, {}}, {first + 1, {}}, {first + 2, {}}});
        return rig.run("run", test::kFreq + " --count 3 --ledger " + ledgerFile + " --line " + url);
    };
    const std::string ledgerFile = pathOf("station.db");
    const test::Ran up = runThree(1, ledgerFile);
    EXPECT_EQ(up.status, 0) << up.out << up.err;
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.attempt"), "3");

    ASSERT_EQ(s_cluster->stop(), "");
    const test::Ran away = runThree(11, ledgerFile);
    ASSERT_EQ(s_cluster->start(), "");
    EXPECT_EQ(away.status, 0) << away.out << away.err;
    EXPECT_NE(away.err.find("outbox"), std::string::npos) << away.err;

    test::Line station(test::Program::Quorvex);
    const test::Ran sync = station.orvane("sync --ledger " + ledgerFile + " --line " + url);
    EXPECT_EQ(sync.status, 0) << sync.out << sync.err;
    EXPECT_EQ(ask("SELECT count(*) FROM orvane.attempt"), "6");
    EXPECT_EQ(ask("SELECT count(DISTINCT uuid) FROM orvane.attempt"), "6");
}

#if defined(ORVANE_TEST_ORVANE) && defined(ORVANE_TEST_MODSIM)
// Runs a program with its stdout on a pipe; the pipe's read end in `out`.
pid_t spawn(const std::vector<std::string>& args, int& out) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    ::close(fds[1]);
    out = fds[0];
    return pid;
}

// What a pipe holds until `ms` from now (or its end).
std::string readFor(int fd, int ms) {
    std::string text;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) return text;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return text;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

// `kill -9` of a production line at moments drawn at random: every module line it printed has its
// row in the ledger (the row is committed first), the ledger opens every time, and `orvane sync`
// then brings every attempt to the line exactly once.
TEST_F(LineTest, KillNineNeverLosesAnAnnouncedAttempt) {
    std::string list;
    for (int serial = 1; serial <= 200; ++serial)
        list += (serial > 1 ? "," : "") + std::to_string(serial);
    int simOut = -1;
    const pid_t sim =
        spawn({ORVANE_TEST_MODSIM, "--type", "T", "--rig", list, "--rig-gap-ms", "200"}, simOut);
    ASSERT_GT(sim, 0);
    std::string device = readFor(simOut, 3000);
    device = device.substr(0, device.find('\n'));
    ASSERT_FALSE(device.empty());

    const std::string ledgerFile = pathOf("station.db");
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> moment(300, 6000);
    long long printed = 0;
    for (int round = 0; round < 20; ++round) {
        int out = -1;
        const pid_t run = spawn({ORVANE_TEST_ORVANE, "run", "--module", "transmitter", "--port", device,
                                 "--freq", "869.9250,869.8000,868.3000,869.7500", "--ledger", ledgerFile},
                                out);
        ASSERT_GT(run, 0);
        std::string lines = readFor(out, moment(random));
        ::kill(run, SIGKILL);
        statusOf(run);
        lines += readFor(out, 100);  // what it wrote before it died
        ::close(out);
        for (std::size_t at = 0; (at = lines.find('\n', at)) != std::string::npos; ++at)
            ++printed;
        auto opened = Ledger::openExisting(ledgerFile);
        ASSERT_TRUE(opened.ledger) << "round " << round << ": " << opened.error;
        EXPECT_GE(opened.ledger->database().integer("SELECT count(*) FROM attempt").value_or(-1), printed)
            << "round " << round;
    }
    ::kill(sim, SIGTERM);
    statusOf(sim);
    ::close(simOut);
    EXPECT_GT(printed, 0) << "no module line in any round: the rounds prove nothing";

    const SyncResult sync = syncLedger(ledgerFile, m_url);
    EXPECT_EQ(sync.error, "");
    auto opened = Ledger::openExisting(ledgerFile);
    ASSERT_TRUE(opened.ledger);
    const std::string rows =
        std::to_string(opened.ledger->database().integer("SELECT count(*) FROM attempt").value_or(-1));
    EXPECT_EQ(ask("SELECT count(DISTINCT uuid) || ' ' || count(*) FROM orvane.attempt"), rows + " " + rows);
}
#endif

}  // namespace
}  // namespace orvane::line
