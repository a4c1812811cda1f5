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
    EXPECT_EQ(b.ending(), "pass");
    EXPECT_TRUE(b.f.outcome.current().allConfirmed());
    EXPECT_EQ(b.f.outcome.current().serial, "00662316");
}

struct WriteCase {
    const char* name;
    bool quorvexOnly;
    void (*arrange)(FakeModule&);
    int quorvexSent;  // commands sent; Brelund sends no "/M ", so one fewer past "/D"
    std::vector<bool> greens;
    const char* tMessage;
    const char* cMessage;
    const char* ending;
    bool record = false;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<bool> kNone(4, false);
const std::vector<bool> kAll(4, true);

// The echo of one command corrupted at value `value` (1-based).
void corrupt(FakeModule& m, const char* command, int value) {
    m.sim.faults().corrupt = true;
    m.sim.faults().corruptOn = {command};
    m.sim.faults().corruptValue = value;
}

const WriteCase kWriteCases[] = {
    {"Silent", false, [](FakeModule& m) { m.sim.faults().silent = true; }, 3, kNone, "Not Response!!", "",
     "no-response /V"},
    // The late "*W 01" is still judged, but the write stopped before channel 2.
    {"ReplyOneTickLate",
     false,
     [](FakeModule& m) { m.delayReplies("/W 01", 230); },
     8,
     {true, true, false, false},
     "Not Response!!",
     "",
     "no-response /W 01 ch 1"},
    {"WrongLoadEcho", false, [](FakeModule& m) { corrupt(m, "/T ", 1); }, 12, kAll, "Test Data error!!", "",
     "test-data-error ch 0"},
    // The receiver compares every value it was sent, the fourth and fifth too.
    {"WrongFifthValueInTheLoadEcho", false, [](FakeModule& m) { corrupt(m, "/T ", 5); }, 12, kAll,
     "Test Data error!!", "", "test-data-error ch 0"},
    {"Slot2StoredWrong",
     false,
     [](FakeModule& m) { corrupt(m, "/W 02", 1); },
     12,
     {true, true, false, true},
     "Flash Write Error!!",
     "",
     "flash-write-error ch 2"},
    {"WrongFourthValueInTheWriteEcho", false, [](FakeModule& m) { corrupt(m, "/W", 4); }, 12, kNone,
     "Flash Write Error!!", "", "flash-write-error ch 0"},
    {"WrongFifthValueInTheWriteEcho", false, [](FakeModule& m) { corrupt(m, "/W", 5); }, 12, kNone,
     "Flash Write Error!!", "", "flash-write-error ch 0"},
    {"OtherCommonParameters", true, [](FakeModule& m) { m.replaceReplies("/M", "*M 0B,26,C8\r"); }, 12, kAll,
     "Common Parameter Error!", "", "common-parameter-error"},
    // The module of the other type is not written at all.
    {"WrongModuleType", false, [](FakeModule& m) { m.sim.faults().wrongType = true; }, 3, kNone,
     "Not Response!!", "Target error!!", "wrong-module-type"},
    // A flash status line is no echo: it cannot stand in for the last one.
    {"FlashStatusInsteadOfTheLastEcho",
     false,
     [](FakeModule& m) { m.replaceReplies("/W 03", "*C 00 OK\r"); },
     12,
     {true, true, true, false},
     "Not Response!!",
     "",
     "no-response /W 03 ch 3"},
    {"FlashClearFailed", false,
     [](FakeModule& m) { m.sim.faults().unsolicitedClear = m.sim.faults().clearFailed = true; }, 12, kAll,
     nullptr, nullptr, "flash-clear-error"},
    // A good flash status after every reply changes nothing.
    {"GoodFlashStatusAfterEveryReply", false, [](FakeModule& m) { m.sim.faults().unsolicitedClear = true; },
     12, kAll, "", "", "pass", true},
};

class WriteOutcome : public ::testing::TestWithParam<std::tuple<Program, WriteCase>> {};

TEST_P(WriteOutcome, EndsWithTheRightMarksAndRecordsOnlyAConfirmedWrite) {
    const auto& [program, c] = GetParam();
    OpsBench b(program);
    if (c.quorvexOnly && !b.tx) GTEST_SKIP() << "Brelund sends no common parameters";
    c.arrange(b.module);
    b.click(b.f.ChWriteSW);
    b.finish();
    EXPECT_EQ(b.sent(), writes(b, !b.tx && c.quorvexSent > 3 ? c.quorvexSent - 1 : c.quorvexSent));
    EXPECT_EQ(b.greens(), c.greens);
    // The flash clear error shows in the program's own label and words.
    const bool clear = c.tMessage == nullptr;
    const std::string clearText = b.tx ? "Flash Clear Error!!" : "Flash Clear Error!";
    EXPECT_EQ(b.f.T_Message.caption(), clear ? (b.tx ? clearText : "") : c.tMessage);
    EXPECT_EQ(b.f.C_Message.caption(), clear ? (b.tx ? "" : clearText) : c.cMessage);
    EXPECT_EQ(b.ending(), c.ending);
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
    EXPECT_EQ(b.logExists(), c.record);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteOutcome,
                         ::testing::Combine(::testing::Values(Program::Quorvex, Program::Brelund),
                                            ::testing::ValuesIn(kWriteCases)),
                         caseName<WriteCase>);

// The reply to one command withheld: the next test aborts (for "/V" and "/D" the identity test of
// step 3), nothing after it is sent, and only channels written before it are green.
TEST_P(Write, NoReplyAtEachStep) {
    const std::size_t total = writes(OpsBench(GetParam())).size();
    // The command each outcome names as unanswered, for the command withheld.
    std::vector<std::string> unanswered{"", "/V", "/D"};
    if (GetParam() == Program::Quorvex) unanswered.push_back("/M");
    for (const char* ch : {" ch 0", " ch 1", " ch 2", " ch 3"}) {
        unanswered.push_back(std::string("/T") + ch);
        unanswered.push_back(std::string("/W 0") + ch[4] + ch);
    }
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
        EXPECT_EQ(b.ending(), "no-response " + unanswered[k]);
        EXPECT_FALSE(b.logExists());
        EXPECT_EQ(b.buttons(), "all");
    }
}

// "*W Err" raises no flag in Quorvex, so the write stops; Brelund counts it as a reply and goes on.
// Either way the write failed on that slot, also when a good flash status line comes after every
// reply, one byte at a time, before the next tick looks at the flag.
TEST_P(Write, FlashWriteErrorOnSlot1) {
    for (const bool goodStatusAfter : {false, true}) {
        SCOPED_TRACE(goodStatusAfter ? "with a good flash status after every reply" : "alone");
        OpsBench b(GetParam());
        b.module.sim.faults().writeErrorSlots = {1};
        b.module.sim.faults().unsolicitedClear = goodStatusAfter;
        b.module.sim.faults().chunkSize = goodStatusAfter ? 1 : 0;
        b.click(b.f.ChWriteSW);
        b.finish();
        if (b.tx) {
            EXPECT_EQ(b.sent(), writes(b, 8));
            EXPECT_EQ(b.f.T_Message.caption(), "Not Response!!");
            EXPECT_EQ(b.greens(), (std::vector<bool>{true, false, false, false}));
        } else {
            EXPECT_EQ(b.sent(), writes(b));
            EXPECT_EQ(b.f.T_Message.caption(), "Flash Write Error!!");
            EXPECT_EQ(b.greens(), (std::vector<bool>{true, false, true, true}));
        }
        EXPECT_EQ(b.ending(), "flash-write-error ch 1");
        EXPECT_FALSE(b.logExists());
    }
}

// The echo belongs to the channel being written: one that names another channel confirms
// neither, and fails the write of the channel being written.
TEST_P(Write, AnEchoNamingAnotherChannelFailsTheChannelBeingWritten) {
    OpsBench b(GetParam());
    b.module.replaceReplies("/W 01", "*W 02 " + b.gridTexts(1) + "\r");
    b.click(b.f.ChWriteSW);
    b.finish();
    EXPECT_EQ(b.sent(), writes(b));
    EXPECT_EQ(b.f.T_Message.caption(), "Flash Write Error!!");
    EXPECT_EQ(b.greens(), (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(b.ending(), "flash-write-error ch 1");
    EXPECT_FALSE(b.logExists());
}

// The record holds what the module sent and the channels as written: text typed into the
// identity boxes during the write (a barcode scanner with the focus there) never reaches it, and
// a decimal comma is written as the point it stands for.
TEST_P(Write, TheRecordHoldsWhatTheModuleHolds) {
    OpsBench b(GetParam());
    b.f.ChFrequency[3].setText("869,7500");
    b.p.advance(100);
    b.click(b.f.ChWriteSW);
    b.at(208 * 5);
    EXPECT_TRUE(b.f.Serial.readOnly && b.f.Version.readOnly);
    b.f.Serial.setText("SCANNED1");
    b.f.Version.setText("X9.99");
    b.finish();
    // Channel 3 is confirmed, though its entry is pink again for its comma.
    EXPECT_TRUE(b.f.outcome.current().allConfirmed());
    const std::string version = b.tx ? "T1.02" : "R1.02";
    EXPECT_EQ(b.logText(),
              "00662316," + version + ",869.7500,868.3000,869.8000,869.9250,2026/12/07,10:20:30,1.5.2\r\n");
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
    enum How { FailSend, FailAfterBytes, CloseByUser, PullAdapter, PullAdapterThenClose };
    struct Case {
        std::string name;
        int step;
        How how;
    };
    std::vector<Case> cases{{"opening byte", 0, FailSend},         {"/V", 1, FailSend}, {"/D", 2, FailSend},
                            {"/M (Quorvex)", 3, FailSend},         {"/T", 4, FailSend}, {"/W", 5, FailSend},
                            {"flush of /W 03", 11, FailAfterBytes}};
    // Before every step: the technician's close, a pulled adapter, and a close click that comes
    // between the port going and the report of it.
    for (int step = 0; step <= 11; ++step) {
        const std::string at = " before step " + std::to_string(step);
        cases.push_back({"port closed" + at, step, CloseByUser});
        cases.push_back({"adapter pulled" + at, step, PullAdapter});
        cases.push_back(
            {"adapter pulled, Close clicked before the loss is reported," + at, step, PullAdapterThenClose});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpsBench b(GetParam());
        if (!b.tx && c.step == 3 && c.how == FailSend) continue;  // Brelund's step 3 sends nothing
        b.click(b.f.ChWriteSW);
        b.at(208 * (c.step + 1) - 1);
        if (c.how == CloseByUser) {
            b.f.ComStart.click();
        } else if (c.how == PullAdapter || c.how == PullAdapterThenClose) {
            b.p.port.lose("gone");
            if (c.how == PullAdapterThenClose) b.f.ComStart.click();
        } else {
            (c.how == FailSend ? b.p.port.failSend : b.p.port.failAfterSend) = true;
        }
        b.finish();
        const int sent = (!b.tx && c.step > 3 ? c.step - 1 : c.step) + (c.how == FailAfterBytes ? 1 : 0);
        EXPECT_EQ(b.sent(), writes(b, sent));
        EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
        EXPECT_EQ(b.f.SeqStep, c.step);
        EXPECT_EQ(b.f.T_Message.caption(), "");
        EXPECT_EQ(b.ending(), "port-failure");
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
    EXPECT_EQ(b.ending(), "flash-write-error ch 2");
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_FALSE(b.f.WriteAllTimer.isEnabled());
    EXPECT_FALSE(b.logExists());
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Write, ::testing::Values(Program::Quorvex, Program::Brelund),
                         programName);

}  // namespace
}  // namespace orvane::test
