// The orvane command against the module simulator: what it leaves in the module, how each module
// fault ends, that refused input sends nothing, and the production loop over a simulated rig.
#include "tests/e2e/ModsimFixture.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

const std::array<std::string, 4> kTexts{"869.9250", "869.8000", "868.3000", "869.7500"};
const QString kFreq = QStringLiteral("--freq=869.9250,869.8000,868.3000,869.7500");

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs orvane to its end (at most a minute).
Outcome orvane(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ORVANE_CLI_PATH), arguments);
    Outcome run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = "orvane did not end";
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

QStringList moduleOf(Program which, const Modsim& modsim) {
    return {QStringLiteral("--module"),
            which == Program::Quorvex ? QStringLiteral("transmitter") : QStringLiteral("brelund"),
            QStringLiteral("--port"), QString::fromStdString(modsim.devicePath())};
}

// What the windows would write for the texts: the register texts of each channel's grid column.
std::vector<std::string> windowRegisters(Program which) {
    TestProgram window(which);
    window.start();
    for (std::size_t ch = 0; ch < 4; ++ch)
        window.form().ChFrequency[ch].setText(kTexts[ch]);
    window.advance(100);
    std::vector<std::string> columns;
    for (int ch = 0; ch < 4; ++ch) {
        std::string column;
        for (int row = 1; row < window.form().MSFlexGrid1.rows(); ++row)
            column += (row > 1 ? "," : "") + window.form().MSFlexGrid1.textMatrix(row, ch + 1);
        columns.push_back(column);
    }
    return columns;
}

// The lines of the simulator's --dump-flash output that begin with `prefix`, the prefix cut off.
std::vector<std::string> dumped(Modsim& modsim, const std::string& prefix) {
    modsim.stop();
    std::istringstream out(modsim.process().readAllStandardOutput().toStdString());
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);)
        if (line.starts_with(prefix)) lines.push_back(line.substr(prefix.size()));
    return lines;
}

class OrvaneE2E : public ::testing::TestWithParam<Program> {
protected:
    QStringList type() const { return Modsim::typeOptions(GetParam()); }
    Modsim modsim;
};

INSTANTIATE_TEST_SUITE_P(BothModules, OrvaneE2E, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) {
                             return param.param == Program::Quorvex ? "Transmitter" : "Receiver";
                         });

TEST_P(OrvaneE2E, WriteAndCheckLeaveWhatTheWindowsWouldWrite) {
    ASSERT_TRUE(modsim.start(type() << QStringLiteral("--dump-flash"))) << modsim.errorText();
    const Outcome run = orvane(QStringList{QStringLiteral("write")} << moduleOf(GetParam(), modsim) << kFreq
                                                                    << QStringLiteral("--check"));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("write: PASS serial 00662316"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("check: PASS"), std::string::npos) << run.out;
    std::vector<std::string> stored;
    for (const std::string& line : dumped(modsim, "slot "))
        stored.push_back(line.substr(line.find(": ") + 2));
    EXPECT_EQ(stored, windowRegisters(GetParam()));
}

// Each fault of the simulated module ends with its exit status and its named reason.
TEST_P(OrvaneE2E, ModuleFaultsEndWithTheirStatusAndReason) {
    struct Fault {
        const char* command;
        QStringList simulator;
        int status;
        const char* reason;
        bool transmitterOnly = false;
    };
    const Fault faults[] = {
        {"write", {QStringLiteral("--silent")}, 1, "\"reason\":\"no-response\""},
        {"write", {QStringLiteral("--wrong-type")}, 1, "\"reason\":\"wrong-module-type\""},
        {"write",
         {QStringLiteral("--write-error"), QStringLiteral("2")},
         1,
         "\"reason\":\"flash-write-error\""},
        {"write", {QStringLiteral("--no-reply"), QStringLiteral("/M")}, 1, "\"at_step\":4", true},
        {"write",
         {QStringLiteral("--unsolicited-c"), QStringLiteral("--clear-failed")},
         1,
         "\"reason\":\"flash-clear-error\""},
        // A module never written holds zeros.
        {"check", {}, 1, "\"reason\":\"discrepancy\",\"detail\":null,\"at_step\":null,\"channel\":0"},
        {"check",
         {QStringLiteral("--common"), QStringLiteral("0B,26,C8")},
         1,
         "\"reason\":\"common-parameter-error\"",
         true},
        {"test", {QStringLiteral("--corrupt")}, 1, "\"reason\":\"test-data-error\""},
        {"write", {QStringLiteral("--close-after"), QStringLiteral("5")}, 3, "\"outcome\":\"port-error\""},
    };
    for (const Fault& fault : faults) {
        if (fault.transmitterOnly && GetParam() != Program::Quorvex) continue;
        SCOPED_TRACE(std::string(fault.command) + " " + fault.simulator.join(QLatin1Char(' ')).toStdString());
        ASSERT_TRUE(modsim.start(type() << fault.simulator)) << modsim.errorText();
        QStringList arguments{QString::fromLatin1(fault.command)};
        arguments << moduleOf(GetParam(), modsim) << kFreq << QStringLiteral("--json");
        if (std::string(fault.command) == "test")
            arguments << QStringLiteral("--channel") << QStringLiteral("2");
        const Outcome run = orvane(arguments);
        EXPECT_EQ(run.status, fault.status) << run.out << run.err;
        EXPECT_NE(run.out.find(fault.reason), std::string::npos) << run.out;
        modsim.stop();
    }
}

// Refused input never reaches the port: the simulator hears nothing.
TEST_P(OrvaneE2E, RefusedInputSendsNothing) {
    ASSERT_TRUE(modsim.start(type() << QStringLiteral("--log"))) << modsim.errorText();
    const Outcome run =
        orvane(QStringList{QStringLiteral("write")} << moduleOf(GetParam(), modsim)
                                                    << QStringLiteral("--freq=869.9250,abc,870.5,1E400"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("channel 1: \"abc\" is not a number"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("channel 2: 870.5 MHz is outside the band"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("channel 3: 1E400 MHz cannot be turned into register values"), std::string::npos)
        << run.err;
    modsim.stop();
    EXPECT_EQ(modsim.diagnostics().find("modsim: >"), std::string::npos) << modsim.diagnostics();
}

// Three modules on a rig, the second with a failing flash slot: two pass, one fails, each is
// written once.
TEST(OrvaneRunE2E, ProductionLoopWritesEachModuleOnce) {
    Modsim modsim;
    ASSERT_TRUE(
        modsim.start({QStringLiteral("--type"), QStringLiteral("T"), QStringLiteral("--rig"),
                      QStringLiteral("000001,000002:write-error=2,000003"), QStringLiteral("--dump-flash")}))
        << modsim.errorText();
    const Outcome run =
        orvane(QStringList{QStringLiteral("run")} << moduleOf(Program::Quorvex, modsim) << kFreq
                                                  << QStringLiteral("--count") << QStringLiteral("3"));
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_EQ(run.out,
              "PASS 00000001\nFAIL 00000002 flash write error on channel 2\nPASS 00000003\n"
              "passed 2, failed 1: 00000002\n");
    std::vector<std::string> writes;
    for (const std::string& line : dumped(modsim, "module "))
        writes.push_back(line.substr(0, line.find(" slots")));
    EXPECT_EQ(writes, (std::vector<std::string>{"000001 writes 1,1,1,1", "000002 writes 1,1,0,0",
                                                "000003 writes 1,1,1,1"}))
        << "each module written once";
}

}  // namespace
}  // namespace orvane::test
