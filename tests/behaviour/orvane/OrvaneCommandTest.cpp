// orvane's commands in virtual time: the command line as parsed, the windows' exchanges on a fake
// module (or a rig of them), the report as it prints, the exit status, the log and what the module
// holds.
#include "apps/orvane/CommandLine.h"
#include "apps/orvane/CommandRunner.h"
#include "core/files/TextFile.h"
#include "tests/support/FakeModule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

const std::string kFreq = "--freq 869.9250,869.8000,868.3000,869.7500";

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

modsim::SimConfig ofType(Program which, modsim::SimConfig config = {}) {
    config.type = which == Program::Quorvex ? 'T' : 'R';
    return config;
}

// The command for one program's module on COM1. The log's folder is the test's own folder.
class Orvane {
public:
    explicit Orvane(Program which, modsim::SimConfig config = {}) : p(which) {
        module = std::make_unique<FakeModule>(p, ofType(which, std::move(config)));
        setUp();
    }
    Orvane(Program which, const std::vector<modsim::RigModule>& rig) : p(which) {
        module = std::make_unique<FakeModule>(p, modsim::Rig(ofType(which), rig, 3000, 500, 0));
        setUp();
    }

    // Runs "orvane COMMAND --module M --port COM1 ARGUMENTS" to its end (once per object: the
    // session listens to the window for as long as it lives).
    Ran run(const std::string& command, const std::string& arguments) {
        const std::string moduleName = p.which == Program::Quorvex ? "transmitter" : "receiver";
        const cli::Parsed parsed =
            cli::parseArguments(words(command + " --module " + moduleName + " --port COM1 " + arguments),
                                {"transmitter", "quorvex", "receiver", "brelund"});
        if (!parsed.error.empty()) return {2, "", parsed.error};
        // As the command does: the program folder is the log file's own (taken from the current
        // folder, here the test's).
        if (!parsed.options.logFile.empty())
            p.appInfo.folder = (p.folder.path() / parsed.options.logFile).parent_path().string();
        std::ostringstream out;
        std::ostringstream err;
        cli::Reporter reporter(out, err, parsed.options.json, false);
        const cli::After after = [this](int ms, std::function<void()> then) {
            p.clock.after(ms, std::move(then));
        };
        const cli::Clock times{[] { return std::string("2026-12-07T10:20:30.000Z"); },
                               [this] { return static_cast<long long>(p.clock.now()); }};
        m_session = std::make_unique<cli::Session>(*p.app, after, times);
        int status = -1;
        cli::CommandRunner runner(parsed.options, *p.app, *m_session, reporter, after, times,
                                  [&status](int result) { status = result; });
        p.clock.after(0, [&runner] { runner.start(); });
        for (int ms = 0; ms < 120000 && status < 0; ms += 10)
            p.advance(10);
        return {status, out.str(), err.str()};
    }

    std::string logText() const { return files::readWholeFile(p.folder.str() + "/ops.log").value_or(""); }
    bool logExists() const { return fs::exists(p.folder.path() / "ops.log"); }
    // The register texts of a channel as the window computes them, joined as "/T " sends them.
    std::string gridTexts(int ch) const {
        std::string texts;
        const Grid& grid = p.app->form().MSFlexGrid1;
        for (int row = 1; row < grid.rows(); ++row)
            texts += (row > 1 ? "," : "") + grid.textMatrix(row, ch + 1);
        return texts;
    }

    TestProgram p;
    std::unique_ptr<FakeModule> module;

private:
    void setUp() {
        p.port.ports = {{1, "/dev/ttyS0", ""}};
        p.startHeadless();
    }
    std::unique_ptr<cli::Session> m_session;
};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class OrvaneCommand : public ::testing::TestWithParam<Program> {};

INSTANTIATE_TEST_SUITE_P(BothModules, OrvaneCommand, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST_P(OrvaneCommand, WriteAndCheckLeaveWhatTheWindowsComputeAndOneRecord) {
    Orvane o(GetParam());
    const Ran run = o.run("write", kFreq + " --check --log ops.log");
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(has(run.out, "write: PASS serial 00662316")) << run.out;
    EXPECT_TRUE(has(run.out, "check: PASS")) << run.out;
    for (int ch = 0; ch < 4; ++ch)
        EXPECT_EQ(o.module->sim.flashSlotText(ch), o.gridTexts(ch)) << ch;
    const std::string version = GetParam() == Program::Quorvex ? "T1.02" : "R1.02";
    EXPECT_EQ(o.logText(),
              "00662316," + version + ",869.7500,868.3000,869.8000,869.9250,2026/12/07,10:20:30,1.5.2\r\n");
}

// Each fault of the module ends with its exit status and its named reason, and no record.
TEST_P(OrvaneCommand, ModuleFaultsEndWithTheirStatusAndReason) {
    struct Fault {
        const char* name;
        const char* command;
        void (*arrange)(modsim::SimFaults&);
        int status;
        const char* reason;
        bool transmitterOnly = false;
    };
    const Fault faults[] = {
        {"silent", "write", [](modsim::SimFaults& f) { f.silent = true; }, 1, "\"reason\":\"no-response\""},
        {"wrong type", "write", [](modsim::SimFaults& f) { f.wrongType = true; }, 1,
         "\"reason\":\"wrong-module-type\""},
        {"write error", "write", [](modsim::SimFaults& f) { f.writeErrorSlots = {2}; }, 1,
         "\"reason\":\"flash-write-error\",\"detail\":null,\"at_step\":null,\"channel\":2"},
        {"no reply to /M", "write", [](modsim::SimFaults& f) { f.noReply = {"/M"}; }, 1, "\"at_step\":4",
         true},
        {"flash clear failed", "write",
         [](modsim::SimFaults& f) { f.unsolicitedClear = f.clearFailed = true; }, 1,
         "\"reason\":\"flash-clear-error\""},
        // A module never written holds zeros.
        {"never written", "check", [](modsim::SimFaults&) {}, 1,
         "\"reason\":\"discrepancy\",\"detail\":null,\"at_step\":null,\"channel\":0"},
        {"stored right, read back wrong", "write --check",
         [](modsim::SimFaults& f) {
             f.corrupt = true;
             f.corruptOn = {"/R 01"};
         },
         1, "\"reason\":\"discrepancy\",\"detail\":null,\"at_step\":null,\"channel\":1"},
        {"other common parameters", "check", [](modsim::SimFaults&) {}, 1,
         "\"reason\":\"common-parameter-error\"", true},
        {"corrupt test echo", "test --channel 2", [](modsim::SimFaults& f) { f.corrupt = true; }, 1,
         "\"reason\":\"test-data-error\""},
        {"pulled adapter", "write", [](modsim::SimFaults& f) { f.closeAfter = 5; }, 3,
         "\"outcome\":\"port-error\""},
    };
    for (const Fault& fault : faults) {
        if (fault.transmitterOnly && GetParam() != Program::Quorvex) continue;
        SCOPED_TRACE(fault.name);
        modsim::SimConfig config;
        fault.arrange(config.faults);
        if (std::string(fault.name) == "other common parameters") config.commonParam = "0B,26,C8";
        Orvane o(GetParam(), config);
        const std::string words = fault.command;
        const Ran run =
            o.run(words.substr(0, words.find(' ')),
                  (words.find(' ') == std::string::npos ? "" : words.substr(words.find(' '))) + " " + kFreq +
                      " --json" + (words.starts_with("write") ? " --log ops.log" : ""));
        EXPECT_EQ(run.status, fault.status) << run.out << run.err;
        EXPECT_TRUE(has(run.out, fault.reason)) << run.out;
        EXPECT_FALSE(o.logExists());
    }
}

// Input refused before anything reaches the port: channels, and a log that could not take the
// record (no file is made to find that out).
TEST_P(OrvaneCommand, RefusedInputSendsNothing) {
    struct Case {
        const char* arguments;
        std::vector<std::string> reasons;
    };
    const Case cases[] = {
        {"--freq 869.9250,abc,870.5,1E400",
         {"channel 1: \"abc\" is not a number", "channel 2: 870.5 MHz is outside the band",
          "channel 3: 1E400 MHz cannot be turned into register values"}},
        {"--freq 869.9250,869.8000,868.3000,869.7500 --log missing/ops.log",
         {"--log missing/ops.log: cannot be appended to"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        Orvane o(GetParam());
        const Ran run = o.run("write", c.arguments);
        EXPECT_EQ(run.status, 2);
        for (const std::string& reason : c.reasons)
            EXPECT_TRUE(has(run.err, reason)) << run.err;
        EXPECT_TRUE(o.p.port.writes.empty());
        EXPECT_FALSE(fs::exists(o.p.folder.path() / "missing"));
    }
}

// A record that cannot be appended after a confirmed write fails the command with its own
// status.
TEST_P(OrvaneCommand, ARecordThatCannotBeAppendedEndsWithStatus4) {
    Orvane o(GetParam());
    o.p.clock.after(500, [&o] { fs::create_directory(o.p.folder.path() / "ops.log"); });
    const Ran run = o.run("write", kFreq + " --check --log ops.log --json");
    EXPECT_EQ(run.status, 4) << run.out << run.err;
    EXPECT_TRUE(has(run.out, "\"step\":\"check\",\"outcome\":\"pass\"")) << run.out;
    EXPECT_TRUE(has(run.out, "\"step\":\"log\",\"outcome\":\"fail\",\"reason\":\"log-error\"")) << run.out;
}

// A receiver channel the synthesiser cannot reach exactly is refused, naming what the module would
// get; allowed, it is written and confirmed by its echo like any other.
TEST(OrvaneCommandReceiver, AnUnreachableFrequencyIsRefusedUnlessAllowed) {
    const std::string freq = "--freq 869.9250,869.8000,868.3050,869.7500 --check --log ops.log";
    Orvane refused(Program::Brelund);
    const Ran first = refused.run("write", freq);
    EXPECT_EQ(first.status, 2);
    EXPECT_TRUE(
        has(first.err, "channel 2: 868.3050 MHz cannot be reached exactly: the module would get 868.30"))
        << first.err;
    EXPECT_TRUE(refused.p.port.writes.empty());

    Orvane allowed(Program::Brelund);
    const Ran second = allowed.run("write", freq + " --allow-out-of-band");
    EXPECT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_TRUE(has(second.out, "check: PASS")) << second.out;
    EXPECT_TRUE(has(allowed.logText(), ",869.7500,868.3050,869.8000,869.9250,")) << allowed.logText();
}

// Three modules on a rig: two pass, the second fails its write, the third fails its check. Each
// is written once, and only the two that passed get a record.
TEST(OrvaneRun, EachModuleOnceAndARecordOnlyForAConfirmedOne) {
    modsim::RigModule second{2, {}};
    second.faults.writeErrorSlots = {2};
    modsim::RigModule fourth{4, {}};
    fourth.faults.corrupt = true;
    fourth.faults.corruptOn = {"/R 03"};
    Orvane o(Program::Quorvex, {{1, {}}, second, {3, {}}, fourth});
    const Ran run = o.run("run", kFreq + " --count 4 --log ops.log");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out,
              "PASS 00000001\nFAIL 00000002 flash write error on channel 2\nPASS 00000003\n"
              "FAIL 00000004 check: discrepancy on channel 3\npassed 2, failed 2: 00000002 00000004\n");
    std::vector<int> writes;
    for (const modsim::ModuleSim& module : o.module->rig->placed())
        writes.push_back(module.writeCount(0));
    EXPECT_EQ(writes, (std::vector<int>{1, 1, 1, 1}));
    const std::string log = o.logText();
    EXPECT_TRUE(log.starts_with("00000001,T1.02,")) << log;
    EXPECT_TRUE(has(log, "\r\n00000003,T1.02,")) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

}  // namespace
}  // namespace orvane::test
