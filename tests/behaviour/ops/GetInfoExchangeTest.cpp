// "Get Info.": the opening byte, "/V" and "/D" on 200 ms ticks, then the verdict.
#include "tests/behaviour/ops/OpsBench.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvane::test {
namespace {

constexpr const char* kNoInfo = "Not Response!! (or target error)";

class GetInfo : public ::testing::TestWithParam<Program> {};

TEST_P(GetInfo, AsksForVersionAndIdentityAndEnablesEveryButton) {
    OpsBench b(GetParam(), {}, false);
    ASSERT_EQ(b.buttons(), "info");
    b.f.C_Message.setCaption("Target error!!");
    b.p.port.rts = false;  // as a test leaves it

    b.click(b.f.GetInfoSW);
    EXPECT_TRUE(b.p.port.rts);
    EXPECT_EQ(b.buttons(), "none");
    b.finish();

    EXPECT_EQ(b.wire(), (OpsBench::Wire{{200, "\x80"}, {400, "/V\r"}, {600, "/D\r"}}));
    EXPECT_EQ(b.buttons(), "all");
    EXPECT_EQ(b.f.C_Message.caption(), "");
    EXPECT_EQ(b.f.Version.text(), b.tx ? "T1.02" : "R1.02");
    EXPECT_EQ(b.f.Serial.text(), "00662316");
    EXPECT_EQ(b.f.FactoryDate.text(), "2024/05/17");
    for (TextBox* box : {&b.f.Version, &b.f.Serial, &b.f.FactoryDate})
        EXPECT_EQ(box->backColor(), b.f.ColorGreen) << box->name;
    if (b.tx) {
        EXPECT_EQ(b.f.FOffsetV.text(), "00");
    }
    EXPECT_FALSE(b.f.GetInfoTimer.isEnabled());
    EXPECT_EQ(b.f.SeqStep, 4);
    EXPECT_EQ(b.ending(), "pass");
    EXPECT_EQ(b.f.outcome.current().serial, "00662316");
    EXPECT_EQ(b.f.outcome.current().version, b.tx ? "T1.02" : "R1.02");
}

struct InfoCase {
    const char* name;
    void (*arrange)(FakeModule&);
    std::vector<std::string> sent;
    const char* buttons;
    bool versionGreen;
    const char* ending;
};

void PrintTo(const InfoCase& c, std::ostream* os) {
    *os << c.name;
}

class GetInfoOutcome : public ::testing::TestWithParam<std::tuple<Program, InfoCase>> {};

TEST_P(GetInfoOutcome, VerdictAtTheFourthTick) {
    const auto& [program, c] = GetParam();
    OpsBench b(program, {}, false);
    c.arrange(b.module);
    b.click(b.f.GetInfoSW);
    b.at(799);
    EXPECT_TRUE(b.f.GetInfoTimer.isEnabled());
    b.at(800);
    EXPECT_FALSE(b.f.GetInfoTimer.isEnabled());

    EXPECT_EQ(b.sent(), c.sent);
    EXPECT_EQ(b.buttons(), c.buttons);
    EXPECT_EQ(b.f.C_Message.caption(), c.buttons == std::string("all") ? "" : kNoInfo);
    EXPECT_EQ(b.f.Version.backColor() == b.f.ColorGreen, c.versionGreen);
    EXPECT_EQ(b.ending(), c.ending);
}

const InfoCase kInfoCases[] = {
    {"Answers", [](FakeModule&) {}, {"\x80", "/V\r", "/D\r"}, "all", true, "pass"},
    {"Silent",
     [](FakeModule& m) { m.sim.faults().silent = true; },
     {"\x80", "/V\r"},
     "info",
     false,
     "no-response /V"},
    {"NoIdentity",
     [](FakeModule& m) { m.sim.faults().noReply = {"/D"}; },
     {"\x80", "/V\r", "/D\r"},
     "info",
     true,
     "no-response /D"},
    // The wrong type letter raises no flag: the identity is not even asked for.
    {"WrongType",
     [](FakeModule& m) { m.sim.faults().wrongType = true; },
     {"\x80", "/V\r"},
     "info",
     false,
     "wrong-module-type"},
    {"VersionLineTooShort",
     [](FakeModule& m) { m.replaceReplies("/V", "*V T1.02 ORVANE-M\r"); },
     {"\x80", "/V\r"},
     "info",
     false,
     "no-response /V"},
    {"VersionOneTickLate",
     [](FakeModule& m) { m.delayReplies("/V", 230); },
     {"\x80", "/V\r"},
     "info",
     true,
     "no-response /V"},
    {"GoodFlashStatusAfterEveryReply",
     [](FakeModule& m) { m.sim.faults().unsolicitedClear = true; },
     {"\x80", "/V\r", "/D\r"},
     "all",
     true,
     "pass"},
    // A flash status line is no answer to "/D".
    {"FlashStatusInsteadOfTheIdentity",
     [](FakeModule& m) { m.replaceReplies("/D", "*C 00 OK\r"); },
     {"\x80", "/V\r", "/D\r"},
     "info",
     true,
     "no-response /D"},
    // A version line sent on its own after the opening byte makes "/V" unnecessary.
    {"VersionUnasked",
     [](FakeModule& m) {
         m.replaceReplies("\x80",
                          m.sim.config().type == 'T' ? "*V T1.02 ORVANE-MOD\r" : "*V R1.02 ORVANE-MOD\r");
     },
     {"\x80", "/D\r"},
     "all",
     true,
     "pass"},
};

INSTANTIATE_TEST_SUITE_P(Cases, GetInfoOutcome,
                         ::testing::Combine(::testing::Values(Program::Quorvex, Program::Brelund),
                                            ::testing::ValuesIn(kInfoCases)),
                         caseName<InfoCase>);

TEST_P(GetInfo, LateIdentityFillsTheBoxesButLeavesTheVerdict) {
    OpsBench b(GetParam(), {}, false);
    b.module.delayReplies("/D", 230);
    b.click(b.f.GetInfoSW);
    b.finish();
    EXPECT_EQ(b.buttons(), "info");
    EXPECT_EQ(b.f.C_Message.caption(), kNoInfo);
    EXPECT_EQ(b.f.Serial.backColor(), b.f.ColorGreen);
    EXPECT_EQ(b.f.Serial.text(), "00662316");
}

// Green entries say what the module shown holds: Get Info. on the same module keeps them, on
// another one takes them away (the receiver's step labels with them).
TEST_P(GetInfo, AnotherModuleLosesTheGreenOfTheLast) {
    OpsBench b(GetParam());
    b.click(b.f.ChWriteSW);
    b.finish();
    ASSERT_EQ(b.greens(), (std::vector<bool>{true, true, true, true}));
    b.click(b.f.GetInfoSW);
    b.finish();
    EXPECT_EQ(b.greens(), (std::vector<bool>{true, true, true, true}));

    modsim::SimConfig other = b.module.sim.config();
    other.serial = 0x000123;
    b.module.sim = modsim::ModuleSim(other);
    b.click(b.f.GetInfoSW);
    b.finish();
    EXPECT_EQ(b.f.Serial.text(), "00000291");
    for (std::size_t ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(b.f.ChFrequency[ch].backColor(), b.f.ColorWindow) << ch;
        if (!b.tx) {
            EXPECT_EQ(b.f.ChStep[ch].backColor(), b.f.ColorWindow) << ch;
        }
    }
}

TEST_P(GetInfo, RtsFailureAtTheClickNeverStartsTheTimer) {
    OpsBench b(GetParam(), {}, false);
    b.p.port.failRtsWhenOpen = true;
    b.click(b.f.GetInfoSW);
    EXPECT_FALSE(b.f.GetInfoTimer.isEnabled());
    b.expectPortErrorState();
    EXPECT_EQ(b.ending(), "port-failure");
    b.finish();
    EXPECT_TRUE(b.sent().empty());
}

// A send that fails at step k, a close click or a pulled adapter before it stops the exchange
// there: no verdict, step not advanced.
TEST_P(GetInfo, PortFailureAtEachStepTakesThePortErrorPath) {
    for (const char* how : {"send fails", "port closed", "adapter pulled"}) {
        for (int step = 0; step <= 2; ++step) {
            SCOPED_TRACE(std::string(how) + " at step " + std::to_string(step));
            OpsBench b(GetParam(), {}, false);
            b.click(b.f.GetInfoSW);
            b.at(200 * step + 199);
            b.f.C_Message.setCaption("kept");
            if (how[0] == 's') b.p.port.failSend = true;
            if (how[0] == 'p') b.f.ComStart.click();
            if (how[0] == 'a') b.p.port.lose("gone");
            b.finish();
            EXPECT_EQ(b.sent().size(), static_cast<std::size_t>(step));
            EXPECT_FALSE(b.f.GetInfoTimer.isEnabled());
            EXPECT_EQ(b.f.SeqStep, step);
            b.expectPortErrorState();
            EXPECT_EQ(b.f.C_Message.caption(), step == 0 && how[0] == 's' ? "" : "kept");
            EXPECT_EQ(b.ending(), "port-failure");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, GetInfo, ::testing::Values(Program::Quorvex, Program::Brelund),
                         programName);

}  // namespace
}  // namespace orvane::test
