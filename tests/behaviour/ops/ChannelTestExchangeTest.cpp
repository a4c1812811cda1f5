// "Test": one channel's register texts sent with "/T ", the echo judged one reply wait later.
#include "tests/behaviour/ops/OpsBench.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvane::test {
namespace {

class ChannelTest : public ::testing::TestWithParam<Program> {};

TEST_P(ChannelTest, SendsTheChannelAndJudgesTheEcho) {
    OpsBench b(GetParam());
    b.f.T_Message.setCaption("Discrepancy!!");
    b.click(b.f.ChTestSW[2]);
    EXPECT_EQ(b.f.ChIndex, 2);
    EXPECT_EQ(b.f.T_Message.caption(), "");
    b.finish();

    // Quorvex closes the test with RTS off and a bare "*"; Brelund sends nothing more.
    OpsBench::Wire expected{{50, b.testCommand(2)}};
    if (b.tx) expected.emplace_back(258, "*");
    EXPECT_EQ(b.wire(), expected);
    EXPECT_EQ(b.testCommand(2).size(), b.tx ? 39u : 18u);
    EXPECT_EQ(b.p.port.rtsHistory, b.tx ? std::vector<bool>{false} : std::vector<bool>{});
    EXPECT_EQ(modsim::registerListText(*b.module.sim.testRegisters()), b.gridTexts(2));
    EXPECT_EQ(b.f.T_Message.caption(), "");
    EXPECT_EQ(b.buttons(), "all");  // a test never switches the buttons
    EXPECT_FALSE(b.f.TestTimer.isEnabled());
    EXPECT_EQ(b.f.SeqStep, 2);
    EXPECT_EQ(b.ending(), "pass");
    EXPECT_EQ(b.f.outcome.current().confirmed, (std::array<bool, 4>{false, false, true, false}));
}

struct EchoCase {
    const char* name;
    void (*arrange)(FakeModule&);
    const char* atJudging;  // T_Message right after step 1
    const char* atEnd;      // and once late replies are in
    const char* ending;     // the test's outcome
};

void PrintTo(const EchoCase& c, std::ostream* os) {
    *os << c.name;
}

const EchoCase kEchoCases[] = {
    {"Matching", [](FakeModule&) {}, "", "", "pass"},
    {"Wrong", [](FakeModule& m) { m.sim.faults().corrupt = true; }, "Test Data error!!", "Test Data error!!",
     "test-data-error ch 1"},
    // Every value sent is compared, the receiver's fourth and fifth too.
    {"WrongFifthValue",
     [](FakeModule& m) {
         m.sim.faults().corrupt = true;
         m.sim.faults().corruptValue = 5;
     },
     "Test Data error!!", "Test Data error!!", "test-data-error ch 1"},
    {"Missing", [](FakeModule& m) { m.sim.faults().noReply = {"/T"}; }, "Not Response!!", "Not Response!!",
     "no-response /T ch 1"},
    {"GoodFlashStatusAfterTheEcho", [](FakeModule& m) { m.sim.faults().unsolicitedClear = true; }, "", "",
     "pass"},
    // A flash status line is no echo.
    {"FlashStatusInsteadOfTheEcho", [](FakeModule& m) { m.replaceReplies("/T", "*C 00 OK\r"); },
     "Not Response!!", "Not Response!!", "no-response /T ch 1"},
    // A wrong echo that comes after the verdict still replaces its text, not its outcome.
    {"WrongAndLate",
     [](FakeModule& m) {
         m.sim.faults().corrupt = true;
         m.delayReplies("/T", 300);
     },
     "Not Response!!", "Test Data error!!", "no-response /T ch 1"},
};

class ChannelTestEcho : public ::testing::TestWithParam<std::tuple<Program, EchoCase>> {};

TEST_P(ChannelTestEcho, ShowsTheVerdictInTheChannelLabel) {
    const auto& [program, c] = GetParam();
    OpsBench b(program);
    c.arrange(b.module);
    b.click(b.f.ChTestSW[1]);
    b.at(258);
    EXPECT_EQ(b.f.T_Message.caption(), c.atJudging);
    b.finish();
    EXPECT_EQ(b.f.T_Message.caption(), c.atEnd);
    EXPECT_EQ(b.ending(), c.ending);
    // The test is closed even without an echo.
    EXPECT_EQ(b.sent().back(), b.tx ? "*" : b.testCommand(1));
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelTestEcho,
                         ::testing::Combine(::testing::Values(Program::Quorvex, Program::Brelund),
                                            ::testing::ValuesIn(kEchoCases)),
                         caseName<EchoCase>);

TEST_P(ChannelTest, AnotherChannelDuringATestRestartsItForThatChannel) {
    OpsBench b(GetParam());
    b.f.ChFrequency[3].setText("868.0500");
    b.p.advance(100);
    // Brelund's echo carries only the first three values.
    ASSERT_NE(b.gridTexts(1).substr(0, 8), b.gridTexts(3).substr(0, 8));
    b.module.replyDelay = 100;
    b.click(b.f.ChTestSW[1]);
    b.at(60);
    b.f.ChTestSW[3].click();
    b.finish();

    OpsBench::Wire expected{{50, b.testCommand(1)}, {110, b.testCommand(3)}};
    if (b.tx) expected.emplace_back(318, "*");
    EXPECT_EQ(b.wire(), expected);
    // The first echo came after the restart and was compared with channel 3.
    EXPECT_EQ(b.f.T_Message.caption(), "Test Data error!!");
    EXPECT_EQ(b.f.ChIndex, 3);
}

// Which port operations the trap covers: in Quorvex every one, in Brelund only the "/T " send.
struct PortCase {
    const char* name;
    bool failRts;
    long long failFrom;  // ms after the click
    bool closePort;
    bool afterWrite;  // the send's bytes go out, then it fails (a failing flush)
    std::size_t quorvexSent, brelundSent;
    bool pullAdapter = false;
};

TEST_P(ChannelTest, PortFailures) {
    const PortCase cases[] = {
        {"send of /T", false, 49, false, false, 0, 0},
        {"RTS off", true, 100, false, false, 1, 1},
        {"send of *", false, 100, false, false, 1, 1},
        {"port closed before /T", false, 49, true, false, 0, 0},
        {"port closed by the user", false, 100, true, false, 1, 1},
        {"adapter pulled before /T", false, 49, false, false, 0, 0, true},
        {"adapter pulled before the verdict", false, 100, false, false, 1, 1, true},
        {"flush after /T", false, 49, false, true, 1, 1},
        {"flush after *", false, 100, false, true, 2, 1},
    };
    for (const PortCase& c : cases) {
        SCOPED_TRACE(c.name);
        OpsBench b(GetParam());
        b.f.T_Message.setCaption("old");
        b.click(b.f.ChTestSW[0]);
        b.at(c.failFrom);
        b.p.port.failSend = !c.failRts && !c.closePort && !c.afterWrite && !c.pullAdapter;
        b.p.port.failAfterSend = c.afterWrite;
        b.p.port.failRtsWhenOpen = c.failRts;
        if (c.closePort) b.f.ComStart.click();
        if (c.pullAdapter) b.p.port.lose("gone");
        b.finish();
        EXPECT_FALSE(b.f.TestTimer.isEnabled());

        const bool atSend = c.failFrom < 50;
        if (atSend || b.tx || c.closePort || c.pullAdapter) {
            // Closing the port is the technician's abort, also where no send would fail.
            b.expectPortErrorState();
            EXPECT_EQ(b.f.SeqStep, atSend ? 0 : 1);
            EXPECT_EQ(b.ending(), "port-failure");
        } else {
            // Brelund's judging step touches no port operation.
            EXPECT_EQ(b.f.P_Message.caption(), "");
            EXPECT_EQ(b.f.SeqStep, 2);
        }
        EXPECT_EQ(b.sent().size(), b.tx ? c.quorvexSent : c.brelundSent);
    }
}

// A channel whose text gives no register values (its grid column is empty) is not sent at all.
TEST_P(ChannelTest, AChannelWithoutRegisterValuesSendsNothing) {
    OpsBench b(GetParam());
    b.f.ChFrequency[1].setText("1E400");
    b.p.advance(100);
    b.click(b.f.ChTestSW[1]);
    b.finish();
    EXPECT_TRUE(b.sent().empty());
    EXPECT_EQ(b.f.T_Message.caption(), "Test Data error!!");
    EXPECT_EQ(b.ending(), "test-data-error ch 1");
    EXPECT_FALSE(b.f.TestTimer.isEnabled());
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_TRUE(b.f.ChFrequency[1].enabled());

    // A tick that finds the test past its last step stops the timer too.
    b.f.SeqStep = 7;
    b.f.TestTimer.setTimerEnabled(true);
    b.p.advance(300);
    EXPECT_FALSE(b.f.TestTimer.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ChannelTest, ::testing::Values(Program::Quorvex, Program::Brelund),
                         programName);

}  // namespace
}  // namespace orvane::test
