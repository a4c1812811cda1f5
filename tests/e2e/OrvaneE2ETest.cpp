// The orvane command against the module simulator over a real pseudo-terminal: what it leaves in
// the module, and a pulled adapter. Every other fault, the input checks and the production loop
// are judged in virtual time (tests/behaviour/orvane).
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

// A pulled adapter mid-write: the real port's loss ends the command with the port's status.
TEST_P(OrvaneE2E, APulledAdapterEndsWithThePortStatus) {
    ASSERT_TRUE(modsim.start(type() << QStringLiteral("--close-after") << QStringLiteral("5")))
        << modsim.errorText();
    const Outcome run = orvane(QStringList{QStringLiteral("write")} << moduleOf(GetParam(), modsim) << kFreq
                                                                    << QStringLiteral("--json"));
    EXPECT_EQ(run.status, 3) << run.out << run.err;
    EXPECT_NE(run.out.find("\"outcome\":\"port-error\""), std::string::npos) << run.out;
}

}  // namespace
}  // namespace orvane::test
