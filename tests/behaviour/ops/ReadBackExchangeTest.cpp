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
}

struct ReadCase {
    const char* name;
    bool quorvexOnly;
    void (*arrange)(FakeModule&);
    int quorvexReads;  // commands sent by Quorvex; Brelund sends one fewer ("/M")
    std::vector<bool> greens;
    const char* message;
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
     "Not Response!!"},
    {"StopsAfterChannel1",
     false,
     [](FakeModule& m) { m.sim.faults().noReply = {"/R 02"}; },
     4,
     {true, true, false, false},
     "Not Response!!"},
    {"ReplyOneTickLate",
     false,
     [](FakeModule& m) { m.delayReplies("/R 01", 160); },
     3,
     {true, true, false, false},
     "Not Response!!"},
    {"Channel2Differs",
     false,
     [](FakeModule& m) {
         m.sim.faults().corrupt = true;
         m.sim.faults().corruptOn = {"/R 02"};
         m.sim.faults().corruptValue = 5;
     },
     5,
     {true, true, false, true},
     "Discrepancy!!"},
    // A slot above 3 stops the receive handler without a flag: like no reply.
    {"BadSlotNumber",
     false,
     [](FakeModule& m) { m.replaceReplies("/R 01", "*R 04 00\r"); },
     3,
     {true, false, false, false},
     "Not Response!!"},
    {"OtherCommonParameters",
     true,
     [](FakeModule& m) { m.replaceReplies("/M", "*M 0B,26,C8\r"); },
     5,
     {true, true, true, true},
     "Common Parameter Error!"},
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
}

TEST_P(ReadBack, PortFailureAtAReadStopsTheCheck) {
    OpsBench b(GetParam());
    storeGrid(b);
    b.click(b.f.ChCheckSW);
    b.at(2 * 146 + 1);
    b.p.port.failSend = true;
    b.finish();
    EXPECT_EQ(b.sent(), reads(b.tx, 2));
    EXPECT_FALSE(b.f.ReadAllTimer.isEnabled());
    EXPECT_EQ(b.f.SeqStep, 2);
    EXPECT_EQ(b.f.T_Message.caption(), "");  // no closing step
    b.expectPortErrorState();

    // Also when the last read's bytes went out and only its completion failed.
    OpsBench last(GetParam());
    storeGrid(last);
    const int count = last.tx ? 5 : 4;
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
