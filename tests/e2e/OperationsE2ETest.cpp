// The four exchanges over the real Qt serial port against the module simulator, in real time.
#include "core/files/TextFile.h"
#include "tests/e2e/ModsimFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

class OperationsE2E : public ModsimFixture, public ::testing::WithParamInterface<Program> {
protected:
    bool tx() const { return GetParam() == Program::Quorvex; }
    Form1& f() { return program->form(); }

    // Clicks the button and waits until the exchange's timer has stopped.
    bool run(Button& button, Timer& timer, int timeoutMs = 8000) {
        button.click();
        return waitFor([&timer] { return !timer.isEnabled(); }, timeoutMs);
    }
    bool write() { return run(f().ChWriteSW, f().WriteAllTimer); }

    std::string gridTexts(int ch) {
        std::string texts;
        for (int row = 1; row <= (tx() ? 12 : 5); ++row)
            texts += (row > 1 ? "," : "") + f().MSFlexGrid1.textMatrix(row, ch + 1);
        return texts;
    }
    bool allGreen() {
        for (std::size_t ch = 0; ch < 4; ++ch)
            if (f().ChFrequency[ch].backColor() != f().ColorGreen) return false;
        return true;
    }
    std::string log() {
        return files::readWholeFile(program->folder.str() + "/" + f().LogFileName.text()).value_or("");
    }
    // Stops the simulator and returns the four flash stored it prints at exit.
    std::vector<std::string> flashAtExit() {
        modsim.stop();
        std::istringstream out(modsim.process().readAllStandardOutput().toStdString());
        std::vector<std::string> stored;
        for (std::string line; std::getline(out, line);)
            if (line.starts_with("slot ")) stored.push_back(line.substr(line.find(": ") + 2));
        return stored;
    }
    static QStringList flashDump() { return {QStringLiteral("--dump-flash")}; }
};

INSTANTIATE_TEST_SUITE_P(BothPrograms, OperationsE2E, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST_P(OperationsE2E, GetInfoEnablesEveryButton) {
    startAndOpen(GetParam());
    ASSERT_TRUE(run(f().GetInfoSW, f().GetInfoTimer)) << modsim.diagnostics();
    EXPECT_EQ(f().C_Message.caption(), "");
    EXPECT_EQ(f().Serial.text(), "00662316");
    EXPECT_TRUE(f().ChWriteSW.enabled() && f().ChCheckSW.enabled() && f().ChTestSW[3].enabled());
}

TEST_P(OperationsE2E, WriteStoresTheGridAndLogsOnceThenCheckConfirmsIt) {
    startAndOpen(GetParam(), flashDump());
    f().EnableSwitches();
    ASSERT_TRUE(write());
    EXPECT_EQ(f().T_Message.caption(), "") << modsim.diagnostics();
    EXPECT_TRUE(allGreen());
    const std::string record = log();
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 1) << record;
    EXPECT_TRUE(record.starts_with("00662316," + std::string(tx() ? "T1.02" : "R1.02") + ",")) << record;

    ASSERT_TRUE(run(f().ChCheckSW, f().ReadAllTimer));
    EXPECT_EQ(f().T_Message.caption(), "");
    EXPECT_TRUE(allGreen());

    std::vector<std::string> grid;
    for (int ch = 0; ch < 4; ++ch)
        grid.push_back(gridTexts(ch));
    EXPECT_EQ(flashAtExit(), grid);
}

TEST_P(OperationsE2E, TestsEachChannel) {
    startAndOpen(GetParam());
    f().EnableSwitches();
    for (std::size_t ch = 0; ch < 4; ++ch) {
        f().T_Message.setCaption("old");
        ASSERT_TRUE(run(f().ChTestSW[ch], f().TestTimer, 3000)) << ch;
        EXPECT_EQ(f().T_Message.caption(), "") << ch << modsim.diagnostics();
    }
}

TEST_P(OperationsE2E, WriteWithRepliesInSingleBytes) {
    startAndOpen(GetParam(), flashDump() + QStringList{QStringLiteral("--chunk"), QStringLiteral("1")});
    f().EnableSwitches();
    ASSERT_TRUE(write());
    EXPECT_EQ(f().T_Message.caption(), "");
    EXPECT_TRUE(allGreen());
    EXPECT_EQ(flashAtExit()[3], gridTexts(3));
}

// Quorvex's module goes silent after "/M ", Brelund's after its first "/T ": no channel is stored.
TEST_P(OperationsE2E, SilentModuleStopsTheWrite) {
    const QString prefix = tx() ? QStringLiteral("/M") : QStringLiteral("/T");
    startAndOpen(GetParam(), flashDump() + QStringList{QStringLiteral("--no-reply"), prefix});
    f().EnableSwitches();
    ASSERT_TRUE(write());
    EXPECT_EQ(f().T_Message.caption(), "Not Response!!");
    EXPECT_TRUE(f().ChWriteSW.enabled());
    EXPECT_EQ(log(), "");
    const std::string zeros = tx() ? "00,00,00,00,00,00,00,00,00,00,00,00" : "00,00,00,00,00";
    EXPECT_EQ(flashAtExit(), std::vector<std::string>(4, zeros));
}

// The simulator answers some commands, then disappears like a pulled adapter: mid-write, and
// right before the last command ("/W 03"). The write stops with the port error, never with a
// time-out, and is not logged.
TEST_P(OperationsE2E, SimulatorGoneMidWriteIsAPortError) {
    for (const int replies : {5, tx() ? 11 : 10}) {
        SCOPED_TRACE(replies);
        startAndOpen(GetParam(), {QStringLiteral("--close-after"), QString::number(replies)});
        f().EnableSwitches();
        ASSERT_TRUE(write());
        EXPECT_EQ(f().P_Message.caption(), "Com port Error!");
        EXPECT_EQ(f().T_Message.caption(), "");
        EXPECT_EQ(f().ComStart.caption(), "Open");
        EXPECT_FALSE(f().ChWriteSW.enabled() || f().GetInfoSW.enabled());
        EXPECT_TRUE(f().ChFrequency[0].enabled());
        EXPECT_EQ(log(), "");
        modsim.stop();
        program.reset();
    }
}

}  // namespace
}  // namespace orvane::test
