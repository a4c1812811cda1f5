// "Check": the common parameters (Quorvex) and the four flash slots read back on 146 ms ticks.
#include "tests/behaviour/ops/OpsBench.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvane::test {
namespace {

// Stores the grid's channels in the module's flash, as an earlier write would have.
void storeGrid(OpsBench& b) {
    for (int ch = 0; ch < 4; ++ch) {
        b.module.sim.feed(b.testCommand(ch));
        b.module.sim.feed("/W 0" + std::to_string(ch) + "\r");
    }
}

std::vector<std::string> reads(bool tx, int count) {
    std::vector<std::string> all;
    if (tx) all.push_back("/M\r");
    for (int ch = 0; ch < 4; ++ch)
        all.push_back("/R 0" + std::to_string(ch) + "\r");
    all.resize(static_cast<std::size_t>(count));
    return all;
}

class ReadBack : public ::testing::TestWithParam<Program> {};

TEST_P(ReadBack, ConfirmsEveryChannelThatMatches) {
    OpsBench b(GetParam());
    storeGrid(b);
    b.f.ChFrequency[1].setBackColor(b.f.ColorYellow);
    b.f.C_Message.setCaption("Target error!!");
    b.f.T_Message.setCaption("Not Response!!");
    b.click(b.f.ChCheckSW);
    EXPECT_EQ(b.buttons(), "none");
    EXPECT_EQ(b.f.ChFrequency[1].backColor(), b.f.ColorWindow);
    b.finish();

    OpsBench::Wire expected;
    for (const std::string& command : reads(b.tx, b.tx ? 5 : 4))
        expected.emplace_back(146 * static_cast<long long>(expected.size() + 1), command);
    EXPECT_EQ(b.wire(), expected);
    EXPECT_EQ(b.greens(), std::vector<bool>(4, true));
    EXPECT_EQ(b.f.T_Message.caption(), "");
    EXPECT_EQ(b.f.C_Message.caption(), "");
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_EQ(b.f.SeqStep, b.tx ? 6 : 5);
    EXPECT_FALSE(b.logExists());
    EXPECT_EQ(b.ending(), "pass");
}

struct ReadCase {
    const char* name;
    bool quorvexOnly;
    void (*arrange)(FakeModule&);
    int quorvexReads;  // commands sent by Quorvex; Brelund sends one fewer ("/M")
    std::vector<bool> greens;
    const char* message;
    const char* ending;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

const ReadCase kReadCases[] = {
    {"NoCommonParameters",
     true,
     [](FakeModule& m) { m.sim.faults().noReply = {"/M"}; },
     1,
     {false, false, false, false},
     "Not Response!!",
     "no-response /M"},
    {"StopsAfterChannel1",
     false,
     [](FakeModule& m) { m.sim.faults().noReply = {"/R 02"}; },
     4,
     {true, true, false, false},
     "Not Response!!",
     "no-response /R 02 ch 2"},
    {"ReplyOneTickLate",
     false,
     [](FakeModule& m) { m.delayReplies("/R 01", 160); },
     3,
     {true, true, false, false},
     "Not Response!!",
     "no-response /R 01 ch 1"},
    {"Channel2Differs",
     false,
     [](FakeModule& m) {
         m.sim.faults().corrupt = true;
         m.sim.faults().corruptOn = {"/R 02"};
         m.sim.faults().corruptValue = 5;
     },
     5,
     {true, true, false, true},
     "Discrepancy!!",
     "discrepancy ch 2"},
    // A slot above 3 stops the receive handler without a flag: like no reply.
    {"BadSlotNumber",
     false,
     [](FakeModule& m) { m.replaceReplies("/R 01", "*R 04 00\r"); },
     3,
     {true, false, false, false},
     "Not Response!!",
     "no-response /R 01 ch 1"},
    {"OtherCommonParameters",
     true,
     [](FakeModule& m) { m.replaceReplies("/M", "*M 0B,26,C8\r"); },
     5,
     {true, true, true, true},
     "Common Parameter Error!",
     "common-parameter-error"},
    {"GoodFlashStatusAfterEveryReply",
     false,
     [](FakeModule& m) { m.sim.faults().unsolicitedClear = true; },
     5,
     {true, true, true, true},
     "",
     "pass"},
    // A flash status line is no answer to a read.
    {"FlashStatusInsteadOfTheLastRead",
     false,
     [](FakeModule& m) { m.replaceReplies("/R 03", "*C 00 OK\r"); },
     5,
     {true, true, true, false},
     "Not Response!!",
     "no-response /R 03 ch 3"},

};

class ReadBackOutcome : public ::testing::TestWithParam<std::tuple<Program, ReadCase>> {};

TEST_P(ReadBackOutcome, EndsWithTheRightMarks) {
    const auto& [program, c] = GetParam();
    OpsBench b(program);
    if (c.quorvexOnly && !b.tx) GTEST_SKIP() << "Brelund reads no common parameters";
    storeGrid(b);
    c.arrange(b.module);
    b.click(b.f.ChCheckSW);
    b.finish();
    const int count = b.tx ? c.quorvexReads : c.quorvexReads - 1;
    EXPECT_EQ(b.sent(), reads(b.tx, count));
    EXPECT_EQ(b.greens(), c.greens);
    EXPECT_EQ(b.f.T_Message.caption(), c.message);
    EXPECT_EQ(b.ending(), c.ending);
    EXPECT_EQ(b.buttons(), "all");
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadBackOutcome,
                         ::testing::Combine(::testing::Values(Program::Quorvex, Program::Brelund),
                                            ::testing::ValuesIn(kReadCases)),
                         caseName<ReadCase>);

TEST_P(ReadBack, NeverWrittenModuleDiffersEverywhere) {
    OpsBench b(GetParam());
    b.click(b.f.ChCheckSW);
    b.finish();
    EXPECT_EQ(b.greens(), std::vector<bool>(4, false));
    EXPECT_EQ(b.f.T_Message.caption(), "Discrepancy!!");
    EXPECT_EQ(b.ending(), "discrepancy ch 0");
}

// A reply for another slot than the one read (stored right) leaves the slot read unconfirmed: the
// check cannot pass with a channel it never confirmed.
TEST_P(ReadBack, AReplyForAnotherSlotLeavesItsChannelUnconfirmed) {
    OpsBench b(GetParam());
    storeGrid(b);
    b.module.replaceReplies("/R 03", "*R 02 " + b.gridTexts(2) + "\r");
    b.click(b.f.ChCheckSW);
    b.finish();
    EXPECT_EQ(b.greens(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(b.f.T_Message.caption(), "Discrepancy!!");
    EXPECT_EQ(b.ending(), "discrepancy ch 3");
}

TEST_P(ReadBack, PortFailureAtEachReadStopsTheCheck) {
    const int count = GetParam() == Program::Quorvex ? 5 : 4;
    for (const char* how : {"send fails", "port closed", "adapter pulled"}) {
        for (int step = 0; step < count; ++step) {
            SCOPED_TRACE(std::string(how) + " at step " + std::to_string(step));
            OpsBench b(GetParam());
            storeGrid(b);
            b.click(b.f.ChCheckSW);
            b.at(146 * (step + 1) - 1);
            if (how[0] == 's') b.p.port.failSend = true;
            if (how[0] == 'p') b.f.ComStart.click();
            if (how[0] == 'a') b.p.port.lose("gone");
            b.finish();
            EXPECT_EQ(b.sent(), reads(b.tx, step));
            EXPECT_FALSE(b.f.ReadAllTimer.isEnabled());
            EXPECT_EQ(b.f.SeqStep, step);
            EXPECT_EQ(b.f.T_Message.caption(), "");  // no closing step
            EXPECT_EQ(b.ending(), "port-failure");
            b.expectPortErrorState();
        }
    }

    // Also when the last read's bytes went out and only its completion failed.
    OpsBench last(GetParam());
    storeGrid(last);
    last.click(last.f.ChCheckSW);
    last.at(count * 146 - 1);
    last.p.port.failAfterSend = true;
    last.finish();
    EXPECT_EQ(last.sent(), reads(last.tx, count));
    EXPECT_EQ(last.f.T_Message.caption(), "");
    last.expectPortErrorState();
}

TEST_P(ReadBack, IntervalFollowsTheBaudText) {
    OpsBench b(GetParam());
    b.p.port.settingsText = "9600,n,8,1";
    b.click(b.f.ChCheckSW);
    EXPECT_EQ(b.f.ReadAllTimer.interval(), 73);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ReadBack, ::testing::Values(Program::Quorvex, Program::Brelund),
                         programName);

}  // namespace
}  // namespace orvane::test
