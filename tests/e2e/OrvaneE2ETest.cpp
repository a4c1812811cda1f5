// The orvane command against the module simulator over a real pseudo-terminal: what it leaves in
// the module, and a pulled adapter. Every other fault, the input checks and the production loop
// are judged in virtual time (tests/behaviour/orvane).
#include "core/files/TextFile.h"
#include "tests/e2e/ModsimFixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <map>
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
    // Every run's attempts go into a ledger of the test's own, never the user's.
    static const TempFolder ledgerFolder;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVANE_LEDGER"),
                       QString::fromStdString(ledgerFolder.str() + "/ledger.db"));
    process.setProcessEnvironment(environment);
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

// Each simulated module's flash as its record would give it: "00000003" -> [["42",...],...] (a
// serial put on twice: the last one's).
std::map<std::string, std::string> flashOf(std::initializer_list<Modsim*> sims) {
    std::map<std::string, std::string> flash;
    for (Modsim* sim : sims) {
        for (const std::string& line : dumped(*sim, "module ")) {
            const std::string serial = std::to_string(std::stoul(line.substr(0, 6), nullptr, 16));
            std::string json = "[[\"";
            for (char c : line.substr(line.find(" slots ") + 7))
                json += c == ','   ? std::string("\",\"")
                        : c == ';' ? std::string("\"],[\"")
                                   : std::string(1, c);
            flash[std::string(8 - serial.size(), '0') + serial] = json + "\"]]";
        }
    }
    return flash;
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
    EXPECT_NE(run.out.find(R"("reason":"port-error")"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(R"("detail":"The device is gone (unplugged or switched off).")"),
              std::string::npos)
        << run.out;
}

// A device another program holds is not opened under another name (a link to it) either: the
// command ends with the port's status and says why.
TEST(OrvanePortE2E, ADeviceHeldElsewhereIsInUseUnderAnyName) {
    Modsim modsim;
    ASSERT_TRUE(modsim.start()) << modsim.errorText();
    qt::QtSerialPort holder;
    holder.setDevicePath(modsim.devicePath());
    ASSERT_TRUE(holder.open()) << holder.lastErrorText();
    TempFolder folder;
    const std::filesystem::path link = folder.path() / "rig";
    std::filesystem::create_symlink(modsim.devicePath(), link);
    const Outcome run =
        orvane({QStringLiteral("info"), QStringLiteral("--module"), QStringLiteral("transmitter"),
                QStringLiteral("--port"), QString::fromStdString(link.string())});
    EXPECT_EQ(run.status, 3) << run.out << run.err;
    EXPECT_NE((run.out + run.err).find("in use"), std::string::npos) << run.out << run.err;
}

// Two rigs of the simulator at once on one production line, every module with its record: a
// module that passed holds in flash exactly the registers its record says were sent; the one that
// failed on channel 1 holds channel 0 as sent.
TEST(OrvaneRunE2E, TwoRigsInParallelRecordWhatEachModuleHolds) {
    Modsim first;
    Modsim second;
    for (auto [sim, rig] :
         {std::pair{&first, "000001,000002"}, std::pair{&second, "000003,000004:write-error=1"}}) {
        ASSERT_TRUE(sim->start({QStringLiteral("--type"), QStringLiteral("T"), QStringLiteral("--rig"),
                                QString::fromLatin1(rig), QStringLiteral("--dump-flash")}))
            << sim->errorText();
    }
    TempFolder folder;
    const std::string records = folder.str() + "/units.json";
    const Outcome run = orvane(
        {QStringLiteral("run"), QStringLiteral("--module"), QStringLiteral("transmitter"),
         QStringLiteral("--port"), QString::fromStdString(first.devicePath()), QStringLiteral("--port"),
         QString::fromStdString(second.devicePath()), kFreq, QStringLiteral("--count"), QStringLiteral("4"),
         QStringLiteral("--record"), QString::fromStdString(records)});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("\npassed 3, failed 1: 00000004\n"), std::string::npos) << run.out;

    std::map<std::string, std::string> flash = flashOf({&first, &second});
    ASSERT_EQ(flash.size(), 4u);
    std::istringstream lines(files::readWholeFile(records).value_or(""));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const std::string serial = line.substr(line.find("\"serial\":\"") + 10, 8);
        const bool passed = line.find("\"outcome\":\"pass\"") != std::string::npos;
        const std::string& held = flash[serial];
        const std::string expected = passed ? held + "," : held.substr(0, held.find("],[") + 1);
        EXPECT_NE(line.find("\"registers\":" + expected), std::string::npos) << line << "\n" << held;
    }
    EXPECT_EQ(count, 4);
}

// A unit swapped for another right after it gave its identity fails as module-changed, and the
// other then gets its own write and line; a unit put on again with the same serial number gets a
// second line. Each passing record holds what that unit's flash holds; the swapped unit's is blank.
TEST(OrvaneRunE2E, ASwappedUnitFailsAndEveryPlacementCounts) {
    Modsim swap;
    Modsim again;
    ASSERT_TRUE(swap.start({QStringLiteral("--type"), QStringLiteral("T"), QStringLiteral("--rig"),
                            QStringLiteral("00000A:leave-after=/D,00000B"), QStringLiteral("--rig-hold-ms"),
                            QStringLiteral("9000"), QStringLiteral("--rig-gap-ms"), QStringLiteral("0"),
                            QStringLiteral("--dump-flash")}))
        << swap.errorText();
    ASSERT_TRUE(again.start({QStringLiteral("--type"), QStringLiteral("T"), QStringLiteral("--rig"),
                             QStringLiteral("000001,000001"), QStringLiteral("--rig-hold-ms"),
                             QStringLiteral("5000"), QStringLiteral("--dump-flash")}))
        << again.errorText();
    TempFolder folder;
    const std::string records = folder.str() + "/units.json";
    const Outcome run =
        orvane({QStringLiteral("run"), QStringLiteral("--module"), QStringLiteral("transmitter"),
                QStringLiteral("--port"), QString::fromStdString(swap.devicePath()), QStringLiteral("--port"),
                QString::fromStdString(again.devicePath()), kFreq, QStringLiteral("--count"),
                QStringLiteral("4"), QStringLiteral("--record"), QString::fromStdString(records),
                QStringLiteral("--ledger"), QString::fromStdString(folder.str() + "/ledger.db")});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    const std::string rigs[] = {" " + swap.devicePath() + " ", " " + again.devicePath() + " "};
    for (const std::string& line :
         {"FAIL" + rigs[0] + "00000010 module changed", "PASS" + rigs[0] + "00000011\n",
          "PASS" + rigs[1] + "00000001\n", "PASS" + rigs[1] + "00000001 (again",
          std::string("\npassed 3, failed 1: 00000010\n")})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;

    std::map<std::string, std::string> flash = flashOf({&swap, &again});
    ASSERT_EQ(flash.size(), 3u);
    std::istringstream lines(files::readWholeFile(records).value_or(""));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const std::string serial = line.substr(line.find("\"serial\":\"") + 10, 8);
        if (line.find("\"reason\":\"module-changed\"") != std::string::npos) {
            EXPECT_EQ(serial, "00000010");
            EXPECT_EQ(flash[serial].find("\"42\""), std::string::npos) << flash[serial];
            continue;
        }
        EXPECT_NE(line.find("\"outcome\":\"pass\""), std::string::npos) << line;
        EXPECT_NE(line.find("\"registers\":" + flash[serial] + ","), std::string::npos) << line;
    }
    EXPECT_EQ(count, 4);
}

}  // namespace
}  // namespace orvane::test
