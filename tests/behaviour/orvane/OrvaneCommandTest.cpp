// orvane's commands in virtual time: the whole command as it runs (arguments, the windows'
// exchanges on fake modules or rigs of them, one port each, the report, the exit status, the log,
// the records and what the modules hold), on the virtual clock as its event loop.
#include "tests/behaviour/orvane/OrvaneLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

class OrvaneCommand : public ::testing::TestWithParam<Program> {};

INSTANTIATE_TEST_SUITE_P(BothModules, OrvaneCommand, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST_P(OrvaneCommand, WriteAndCheckLeaveWhatTheWindowsComputeAndOneRecord) {
    Line line(GetParam());
    FakeModule& module = line.module();
    const Ran ran = line.run("write", kFreq + " --check --log " + line.path("ops.log"));
    EXPECT_EQ(ran.status, 0) << ran.out << ran.err;
    EXPECT_TRUE(has(ran.out, "write: PASS serial 00662316")) << ran.out;
    EXPECT_TRUE(has(ran.out, "check: PASS")) << ran.out;
    // Every slot holds what the write sent for it, read back and confirmed by the check.
    for (int ch = 0; ch < 4; ++ch)
        EXPECT_EQ(module.sim.writeCount(ch), 1) << ch;
    const std::string version = GetParam() == Program::Quorvex ? "T1.02" : "R1.02";
    EXPECT_EQ(line.text("ops.log"),
              "00662316," + version + ",869.7500,868.3000,869.8000,869.9250,2026/12/07,10:20:30,1.5.2\r\n");
}

// Each fault of the module ends with its exit status and its reason in one vocabulary, named by
// command and channel, and no log record; every run ends with the end line.
TEST_P(OrvaneCommand, ModuleFaultsEndWithTheirStatusAndReason) {
    struct Fault {
        const char* name;
        const char* command;
        void (*arrange)(modsim::SimConfig&);
        int status;
        std::string reason;
        bool transmitterOnly = false;
    };
    const Fault faults[] = {
        {"silent", "write", [](modsim::SimConfig& c) { c.faults.silent = true; }, 1,
         R"("reason":"no-response","command":"/V","channel":null)"},
        {"wrong type", "write", [](modsim::SimConfig& c) { c.faults.wrongType = true; }, 1,
         R"("reason":"wrong-module-type")"},
        {"write error", "write", [](modsim::SimConfig& c) { c.faults.writeErrorSlots = {2}; }, 1,
         R"("reason":"flash-write-error","command":null,"channel":2)"},
        {"no reply to /W 02", "write", [](modsim::SimConfig& c) { c.faults.noReply = {"/W 02"}; }, 1,
         R"("reason":"no-response","command":"/W 02","channel":2)"},
        {"no reply to /M", "write", [](modsim::SimConfig& c) { c.faults.noReply = {"/M"}; }, 1,
         R"("reason":"no-response","command":"/M","channel":null)", true},
        {"flash clear failed", "write",
         [](modsim::SimConfig& c) { c.faults.unsolicitedClear = c.faults.clearFailed = true; }, 1,
         R"("reason":"flash-clear-error")"},
        // A module never written holds zeros.
        {"never written", "check", [](modsim::SimConfig&) {}, 1,
         R"("reason":"discrepancy","command":null,"channel":0)"},
        {"stored right, read back wrong", "write --check",
         [](modsim::SimConfig& c) {
             c.faults.corrupt = true;
             c.faults.corruptOn = {"/R 01"};
         },
         1, R"("reason":"discrepancy","command":null,"channel":1)"},
        {"other common parameters", "check", [](modsim::SimConfig& c) { c.commonParam = "0B,26,C8"; }, 1,
         R"("reason":"common-parameter-error")", true},
        {"corrupt test echo", "test --channel 2", [](modsim::SimConfig& c) { c.faults.corrupt = true; }, 1,
         R"("reason":"test-data-error","command":null,"channel":2)"},
        {"pulled adapter", "write", [](modsim::SimConfig& c) { c.faults.closeAfter = 5; }, 3,
         R"("outcome":"fail","reason":"port-error")"},
    };
    for (const Fault& fault : faults) {
        if (fault.transmitterOnly && GetParam() != Program::Quorvex) continue;
        SCOPED_TRACE(fault.name);
        Line line(GetParam());
        modsim::SimConfig config;
        fault.arrange(config);
        line.module(config);
        const std::string words = fault.command;
        const auto space = words.find(' ');
        const Ran ran =
            line.run(words.substr(0, space),
                     (space == std::string::npos ? "" : words.substr(space)) + " " + kFreq + " --json" +
                         (words.starts_with("write") ? " --log " + line.path("ops.log") : ""));
        EXPECT_EQ(ran.status, fault.status) << ran.out << ran.err;
        EXPECT_TRUE(has(ran.out, fault.reason)) << ran.out;
        EXPECT_TRUE(has(ran.out, "{\"step\":\"end\",\"exit\":" + std::to_string(fault.status))) << ran.out;
        EXPECT_FALSE(fs::exists(line.path("ops.log")));
    }
}

// Refused before anything is opened: channels and files (exit 2, nothing created to find out),
// and a port that names nothing (exit 3), which must never open the port selected before.
TEST_P(OrvaneCommand, RefusedInputAndPortsNamingNothingOpenNothing) {
    struct Case {
        std::string arguments;
        int status;
        std::vector<std::string> reasons;
    };
    Line probe(GetParam());
    const std::vector<Case> cases{
        {"--port COM1 --freq 869.9250,abc,870.5,1E400",
         2,
         {"channel 1: \"abc\" is not a number", "channel 2: 870.5 MHz is outside the band",
          "channel 3: 1E400 MHz cannot be turned into register values"}},
        {"--port COM1 " + kFreq + " --log " + probe.path("missing/ops.log"),
         2,
         {"--log ", ": cannot be appended to"}},
        {"--port COM1 " + kFreq + " --record " + probe.path("missing/units.json"), 2, {"--record "}},
        {"--port ttyUSB0 " + kFreq, 3, {"ttyUSB0: names no port"}},
        {"--port /dev/orvane-no-such-device " + kFreq, 3, {"no such device"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        Line line(GetParam());
        line.module();
        const Ran ran = line.run("write", c.arguments + " --json", false);
        EXPECT_EQ(ran.status, c.status);
        for (const std::string& reason : c.reasons)
            EXPECT_TRUE(has(ran.err, reason)) << ran.err;
        EXPECT_TRUE(line.port(0).opened.empty());
        EXPECT_TRUE(has(ran.out, "{\"step\":\"end\",\"exit\":" + std::to_string(c.status))) << ran.out;
        EXPECT_FALSE(fs::exists(line.path("missing")));
    }
    // A COM name in any case is that port.
    Line lower(GetParam());
    lower.module();
    EXPECT_EQ(lower.run("info", "--port com1", false).status, 0);
}

// A record that cannot be appended after a confirmed write fails the command with its own status.
TEST_P(OrvaneCommand, ARecordThatCannotBeAppendedEndsWithStatus4) {
    Line line(GetParam());
    line.module();
    line.clock.after(500, [&line] { fs::create_directory(line.path("ops.log")); });
    const Ran ran = line.run("write", kFreq + " --check --json --log " + line.path("ops.log"));
    EXPECT_EQ(ran.status, 4) << ran.out << ran.err;
    EXPECT_TRUE(has(ran.out, R"({"step":"check","port":"COM1","outcome":"pass")")) << ran.out;
    EXPECT_TRUE(has(ran.out, R"({"step":"log","port":"COM1","outcome":"fail","reason":"log-error")"))
        << ran.out;
    EXPECT_TRUE(has(ran.out, R"({"step":"end","exit":4,"reason":"log-error")")) << ran.out;
}

// An interrupt aborts a single command at once (the port closes) and says so.
TEST_P(OrvaneCommand, AnInterruptEndsACommandWith130) {
    Line line(GetParam());
    line.module();
    line.clock.after(300, [&line] { line.clock.terminate(); });
    const Ran ran = line.run("info", "--json");
    EXPECT_EQ(ran.status, 130);
    EXPECT_EQ(ran.out, "{\"step\":\"end\",\"exit\":130,\"reason\":\"interrupted\",\"detail\":null}\n");
    EXPECT_FALSE(line.port(0).isOpen());
}

// A receiver channel the synthesiser cannot reach exactly is refused, naming what the module would
// get; allowed, it is written and confirmed by its echo like any other, and its records hold the
// frequency the module is set to (the JSON record keeps the text as entered too).
TEST(OrvaneCommandReceiver, AnUnreachableFrequencyIsRefusedUnlessAllowed) {
    const std::string freq = "--freq 869.9250,869.8000,868.3050,869.7500 --check --log ";
    Line refused(Program::Brelund);
    refused.module();
    const Ran first = refused.run("write", freq + refused.path("ops.log"));
    EXPECT_EQ(first.status, 2);
    EXPECT_TRUE(
        has(first.err, "channel 2: 868.3050 MHz cannot be reached exactly: the module would get 868.30"))
        << first.err;
    EXPECT_TRUE(refused.port(0).writes.empty());

    Line allowed(Program::Brelund);
    allowed.module();
    const Ran second = allowed.run(
        "write", freq + allowed.path("ops.log") + " --allow-out-of-band --record " + allowed.path("r.json"));
    EXPECT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_TRUE(has(second.out, "check: PASS")) << second.out;
    EXPECT_TRUE(has(allowed.text("ops.log"), ",869.7500,868.3000,869.8000,869.9250,"))
        << allowed.text("ops.log");
    EXPECT_TRUE(has(allowed.text("r.json"), R"("channels":["869.9250","869.8000","868.3000","869.7500"],)"
                                            R"("entered":["869.9250","869.8000","868.3050","869.7500"])"))
        << allowed.text("r.json");
}

// A write passes only on values the module confirmed: a receiver echoing three of its five values
// is read back before it passes, and fails where it stored one of the others wrong. A write that
// passed is logged, also without --check.
TEST(OrvaneCommandReceiver, AShortEchoIsReadBackBeforeItPasses) {
    struct Case {
        const char* name;
        int storeWrong;
        int status;
        const char* check;
    };
    const Case cases[] = {
        {"stored right", 0, 0, "check: PASS\n"},
        {"fourth value stored wrong", 4, 1, "check: FAIL: discrepancy on channel 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Line line(Program::Brelund);
        modsim::SimConfig config;
        config.faults.echoValues = 3;
        config.faults.storeWrong = c.storeWrong;
        line.module(config);
        const Ran ran = line.run("write", kFreq + " --log " + line.path("ops.log"));
        EXPECT_EQ(ran.status, c.status) << ran.err;
        EXPECT_EQ(ran.out, std::string("write: PASS serial 00662316 version R1.02\n") + c.check);
        EXPECT_EQ(line.text("ops.log").empty(), c.status != 0) << line.text("ops.log");
    }
}

// A table whose lines do not all hold three fields: the channel a line names is reported with
// that line, not as missing.
TEST(OrvaneCommandInput, ATableLineThatIsNotReadIsNamed) {
    Line line(Program::Quorvex);
    line.module();
    writeBytes(line.path("t.tbl"),
               "CH3F ,869.7500\r\nCH2F ,868.3000,c\r\nCH1F ,869.8000,c\r\nCH0F ,869.9250,c\r\n");
    const Ran ran = line.run("write", "--table " + line.path("t.tbl"));
    EXPECT_EQ(ran.status, 2);
    EXPECT_TRUE(has(ran.err, "CH2F is on line 2 of " + line.path("t.tbl") + ", but line 1 has 2 fields"))
        << ran.err;
}

}  // namespace
}  // namespace orvane::test
