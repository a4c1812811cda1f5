// "Write": identity, common parameters (Quorvex), each channel loaded and written; the log record.
#include "tests/behaviour/ops/OpsBench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace orvane::test {
namespace {

// Every command of a full write in order; `count` cuts it short.
std::vector<std::string> writes(const OpsBench& b, int count = 99) {
    std::vector<std::string> all{"\x80", "/V\r", "/D\r"};
    if (b.tx) all.push_back("/M 0A,26,C8\r");
    for (int ch = 0; ch < 4; ++ch) {
        all.push_back(b.testCommand(ch));
        all.push_back("/W 0" + std::to_string(ch) + "\r");
    }
    if (count < static_cast<int>(all.size())) all.resize(static_cast<std::size_t>(count));
    return all;
}

std::string record(const OpsBench& b) {
    std::string line = "00662316," + std::string(b.tx ? "T1.02" : "R1.02") + ",";
    for (std::size_t ch = 4; ch-- > 0;)
        line += b.f.ChFrequency[ch].text() + ",";
    return line + "2026/12/07,10:20:30,1.5.2\r\n";
}

class Write : public ::testing::TestWithParam<Program> {};

TEST_P(Write, StoresEveryChannelAndLogsTheWrite) {
    OpsBench b(GetParam());
    b.f.ChFrequency[2].setBackColor(b.f.ColorPink);
    b.f.L_Message.setCaption("Log File Write Error!!");
    b.click(b.f.ChWriteSW);
    EXPECT_EQ(b.buttons(), "none");
    EXPECT_EQ(b.f.ChFrequency[2].backColor(), b.f.ColorWindow);
    EXPECT_EQ(b.f.WriteAllTimer.interval(), 208);
    b.finish();

    // One command per 208 ms tick; Brelund's step 3 is a tick without a command.
    OpsBench::Wire expected;
    long long tick = 208;
    for (const std::string& command : writes(b)) {
        if (!b.tx && tick == 4 * 208) tick += 208;
        expected.emplace_back(tick, command);
        tick += 208;
    }
    EXPECT_EQ(b.wire(), expected);
    for (int ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(b.module.sim.flashSlotText(ch), b.gridTexts(ch)) << ch;
        EXPECT_EQ(b.module.sim.writeCount(ch), 1) << ch;
    }
    EXPECT_EQ(b.greens(), std::vector<bool>(4, true));
    EXPECT_EQ(b.f.T_Message.caption(), "");
    EXPECT_EQ(b.f.C_Message.caption(), "");
    EXPECT_EQ(b.f.L_Message.caption(), "");
    EXPECT_EQ(b.f.Version.backColor(), b.f.ColorGreen);
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
    EXPECT_EQ(b.f.SeqStep, 13);
    EXPECT_EQ(b.logText(), record(b));
}

struct WriteCase {
    const char* name;
    bool quorvexOnly;
    void (*arrange)(FakeModule&);
    int quorvexSent;  // commands sent; Brelund sends no "/M ", so one fewer past "/D"
    std::vector<bool> greens;
    const char* tMessage;
    const char* cMessage;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<bool> kNone(4, false);
const std::vector<bool> kAll(4, true);

const WriteCase kWriteCases[] = {
    {"Silent", false, [](FakeModule& m) { m.sim.faults().silent = true; }, 3, kNone, "Not Response!!", ""},
    // The late "*W 01" is still judged, but the write stopped before channel 2.
    {"ReplyOneTickLate",
     false,
     [](FakeModule& m) { m.delayReplies("/W 01", 230); },
     8,
     {true, true, false, false},
     "Not Response!!",
     ""},
    {"WrongLoadEcho", false,
     [](FakeModule& m) {
         m.sim.faults().corrupt = true;
         m.sim.faults().corruptOn = {"/T "};
     },
     12, kAll, "Test Data error!!", ""},
    {"Slot2StoredWrong",
     false,
     [](FakeModule& m) {
         m.sim.faults().corrupt = true;
         m.sim.faults().corruptOn = {"/W 02"};
     },
     12,
     {true, true, false, true},
     "Flash Write Error!!",
     ""},
    {"OtherCommonParameters", true, [](FakeModule& m) { m.replaceReplies("/M", "*M 0B,26,C8\r"); }, 12, kAll,
     "Common Parameter Error!", ""},
    // The module of the other type is not written at all.
    {"WrongModuleType", false, [](FakeModule& m) { m.sim.faults().wrongType = true; }, 3, kNone,
     "Not Response!!", "Target error!!"},
};

class WriteOutcome : public ::testing::TestWithParam<std::tuple<Program, WriteCase>> {};

TEST_P(WriteOutcome, EndsWithTheRightMarksAndNoRecord) {
    const auto& [program, c] = GetParam();
    OpsBench b(program);
    if (c.quorvexOnly && !b.tx) GTEST_SKIP() << "Brelund sends no common parameters";
    c.arrange(b.module);
    b.click(b.f.ChWriteSW);
    b.finish();
    EXPECT_EQ(b.sent(), writes(b, !b.tx && c.quorvexSent > 3 ? c.quorvexSent - 1 : c.quorvexSent));
    EXPECT_EQ(b.greens(), c.greens);
    EXPECT_EQ(b.f.T_Message.caption(), c.tMessage);
    EXPECT_EQ(b.f.C_Message.caption(), c.cMessage);
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
    EXPECT_FALSE(b.logExists());
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteOutcome,
                         ::testing::Combine(::testing::Values(Program::Quorvex, Program::Brelund),
                                            ::testing::ValuesIn(kWriteCases)),
                         caseName<WriteCase>);

// The reply to one command withheld: the next test aborts (for "/V" and "/D" the identity test of
// step 3), nothing after it is sent, and only channels written before it are green.
TEST_P(Write, NoReplyAtEachStep) {
    const std::size_t total = writes(OpsBench(GetParam())).size();
    for (std::size_t k = 1; k < total; ++k) {
        OpsBench b(GetParam());
        const std::string command = writes(b)[k];
        SCOPED_TRACE(command);
        b.module.replaceReplies(command.substr(0, command.size() - 1), "");
        b.click(b.f.ChWriteSW);
        b.finish();
        EXPECT_EQ(b.sent(), writes(b, static_cast<int>(std::max<std::size_t>(k + 1, 3))));
        std::vector<bool> written(4);
        for (int ch = 0; ch < 4; ++ch) {
            const std::string slot = "/W 0" + std::to_string(ch) + "\r";
            const auto& all = b.sent();
            const auto at = std::find(all.begin(), all.end(), slot);
            written[static_cast<std::size_t>(ch)] = at != all.end() && *at != command;
        }
        EXPECT_EQ(b.greens(), written);
        EXPECT_EQ(b.f.T_Message.caption(), "Not Response!!");
        EXPECT_FALSE(b.logExists());
        EXPECT_EQ(b.buttons(), "all");
    }
}

// "*W Err" raises no flag in Quorvex, so the write stops; Brelund counts it as a reply and goes on.
TEST_P(Write, FlashWriteErrorOnSlot2) {
    OpsBench b(GetParam());
    b.module.sim.faults().writeErrorSlots = {2};
    b.click(b.f.ChWriteSW);
    b.finish();
    if (b.tx) {
        EXPECT_EQ(b.sent(), writes(b, 10));
        EXPECT_EQ(b.f.T_Message.caption(), "Not Response!!");
        EXPECT_EQ(b.greens(), (std::vector<bool>{true, true, false, false}));
    } else {
        EXPECT_EQ(b.sent(), writes(b));
        EXPECT_EQ(b.f.T_Message.caption(), "Flash Write Error!!");
        EXPECT_EQ(b.greens(), (std::vector<bool>{true, true, false, true}));
    }
    EXPECT_FALSE(b.logExists());
}

TEST_P(Write, NoRecordWithTheLogSwitchedOff) {
    OpsBench b(GetParam());
    b.f.Check1.setValue(0);
    b.click(b.f.ChWriteSW);
    b.finish();
    EXPECT_EQ(b.greens(), kAll);
    EXPECT_FALSE(b.logExists());
}

TEST_P(Write, TwoWritesInARowStartAfreshAndLogTwice) {
    OpsBench b(GetParam());
    b.click(b.f.ChWriteSW);
    b.finish();
    ASSERT_EQ(b.greens(), kAll);
    const std::string first = record(b);

    b.p.port.writes.clear();
    b.f.ChFrequency[0].setText("868.0500");
    b.p.advance(100);  // the register refresh takes the new frequency into the grid
    b.click(b.f.ChWriteSW);
    EXPECT_EQ(b.greens(), kNone);
    b.finish();
    EXPECT_EQ(b.sent(), writes(b));
    EXPECT_EQ(b.module.sim.flashSlotText(0), b.gridTexts(0));
    EXPECT_EQ(b.greens(), kAll);
    EXPECT_EQ(b.logText(), first + record(b));
}

// A send that fails stops the write at once: no closing step, no record, port closed. So does the
// technician's close and a pulled adapter.
TEST_P(Write, PortFailureAtEachKindOfSend) {
    enum How { FailSend, FailAfterBytes, CloseByUser, PullAdapter };
    struct Case {
        const char* name;
        int step;
        How how;
    };
    const Case cases[] = {{"opening byte", 0, FailSend},
                          {"/V", 1, FailSend},
                          {"/D", 2, FailSend},
                          {"/M (Quorvex)", 3, FailSend},
                          {"/T", 4, FailSend},
                          {"/W", 5, FailSend},
                          {"flush of /W 03", 11, FailAfterBytes},
                          {"port closed mid-write", 7, CloseByUser},
                          {"adapter pulled mid-write", 7, PullAdapter}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpsBench b(GetParam());
        if (!b.tx && c.step == 3) continue;  // Brelund's step 3 sends nothing
        b.click(b.f.ChWriteSW);
        b.at(208 * (c.step + 1) - 1);
        if (c.how == CloseByUser)
            b.f.ComStart.click();
        else if (c.how == PullAdapter)
            b.p.port.lose("gone");
        else
            (c.how == FailSend ? b.p.port.failSend : b.p.port.failAfterSend) = true;
        b.finish();
        const int sent = (!b.tx && c.step > 3 ? c.step - 1 : c.step) + (c.how == FailAfterBytes ? 1 : 0);
        EXPECT_EQ(b.sent(), writes(b, sent));
        EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
        EXPECT_EQ(b.f.SeqStep, c.step);
        EXPECT_EQ(b.f.T_Message.caption(), "");
        EXPECT_FALSE(b.logExists());
        b.expectPortErrorState();
    }
}

// A channel whose text gives no register values ends the write before that channel's "/T ":
// nothing of it or a later channel reaches the flash, and the write is not logged.
TEST_P(Write, AChannelWithoutRegisterValuesEndsTheWriteBeforeIt) {
    OpsBench b(GetParam());
    b.f.ChFrequency[2].setText("1E400");
    b.p.advance(100);
    b.click(b.f.ChWriteSW);
    b.finish();
    EXPECT_EQ(b.sent(), writes(b, b.tx ? 8 : 7));
    EXPECT_EQ(b.f.T_Message.caption(), "Flash Write Error!!");
    EXPECT_EQ(b.greens(), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
    EXPECT_FALSE(b.logExists());
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Write, ::testing::Values(Program::Quorvex, Program::Brelund),
                         programName);

}  // namespace
}  // namespace orvane::test
