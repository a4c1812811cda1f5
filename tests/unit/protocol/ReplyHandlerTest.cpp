#include "core/text/NumberText.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

// One program after start-up, with known register texts in the grid: register r of channel ch is
// 16 * (ch + 1) + r in hexadecimal ("11" .. "1C" for channel 0). The clock never advances, so the
// register refresh leaves them alone.
class Receiver {
public:
    explicit Receiver(Program which) : p(which) {
        p.start();
        for (int ch = 0; ch < 4; ++ch)
            for (int row = 1; row < form().MSFlexGrid1.rows(); ++row)
                form().MSFlexGrid1.setTextMatrix(row, ch + 1, text::registerText(16 * (ch + 1) + row));
    }

    Form1& form() { return p.form(); }
    bool tx() const { return p.which == Program::Quorvex; }
    // An exchange of this kind runs, sent each channel's grid values and waits for an echo.
    void running(ExchangeKind exchange) {
        form().outcome.begin(exchange);
        form().outcome.await({"*R", "*T", "*W"}, "/X");
        for (int ch = 0; ch < 4; ++ch)
            form().outcome.sent(ch, values(ch, tx() ? 12 : 5));
    }

    // The first `count` register texts of a channel joined by ",".
    std::string values(int ch, int count) const {
        std::string joined;
        for (int row = 1; row <= count; ++row)
            joined += (row > 1 ? "," : "") + text::registerText(16 * (ch + 1) + row);
        return joined;
    }
    // A "*R" or "*W" echo of channel `field` carrying the values of channel `ch`.
    std::string echo(char kind, const std::string& field, int ch) const {
        const int count = kind == 'R' ? (tx() ? 12 : 5) : (tx() ? 12 : 3);
        return std::string("*") + kind + " " + field + " " + values(ch, count) + "\r";
    }
    std::string testEcho(int ch) const { return (tx() ? "*T  " : "*T ") + values(ch, tx() ? 12 : 3) + "\r"; }
    std::string version() const { return std::string("*V ") + (tx() ? "T" : "R") + "1.02 ORVANE-MOD\r"; }

    void deliver(const std::vector<std::string>& chunks) {
        for (const auto& chunk : chunks)
            p.port.deliver(chunk);
    }
    bool green(int ch) {
        return form().ChFrequency[static_cast<std::size_t>(ch)].backColor() == form().ColorGreen;
    }
    bool stepGreen(int ch) {
        return form().ChStep[static_cast<std::size_t>(ch)].backColor() == form().ColorGreen;
    }

    TestProgram p;
};

class ReplyHandling : public ::testing::TestWithParam<Program> {};

INSTANTIATE_TEST_SUITE_P(BothPrograms, ReplyHandling, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST_P(ReplyHandling, ALineIsHandledOnceItsCarriageReturnArrives) {
    Receiver r(GetParam());
    const std::string line = r.version();
    r.deliver({"\r\n", line.substr(0, 5), line.substr(5, 7)});
    EXPECT_EQ(r.form().Version.text(), "");
    EXPECT_EQ(r.form().ReplyFlag, 0);
    r.deliver({line.substr(12)});
    EXPECT_EQ(r.form().Version.text(), r.tx() ? "T1.02" : "R1.02");
    EXPECT_EQ(r.form().Version.backColor(), r.form().ColorGreen);
    EXPECT_EQ(r.form().ReplyFlag, 1);
    EXPECT_EQ(r.form().RxBuffer, "");
}

TEST_P(ReplyHandling, NoiseAndCutShortLinesAreDropped) {
    Receiver r(GetParam());
    // The "*V" fragment is cut short by the next "*": only the identity line counts.
    r.deliver({"\n\x80 junk", "*V T1.", "02 ORV*D 00", "0005 2024/05/17 FO=3A\r"});
    EXPECT_EQ(r.form().Version.text(), "");
    EXPECT_EQ(r.form().Serial.text(), "00000005");
    EXPECT_EQ(r.form().FactoryDate.text(), "2024/05/17");
    EXPECT_EQ(r.form().Serial.backColor(), r.form().ColorGreen);
    EXPECT_EQ(r.form().FactoryDate.backColor(), r.form().ColorGreen);
    EXPECT_EQ(r.form().FOffsetV.text(), r.tx() ? "3A" : "");
    EXPECT_EQ(r.form().ReplyFlag, 1);

    r.deliver({"*D FFFFFF 2024/05/17\r"});
    EXPECT_EQ(r.form().Serial.text(), "16777215");
}

TEST_P(ReplyHandling, AStopLeavesTheNextLineForTheNextEvent) {
    Receiver r(GetParam());
    r.deliver({"*C 00 OK\r*D 000102 2024/05/17 FO=00\r"});  // both handled
    EXPECT_EQ(r.form().Serial.text(), "00000258");

    r.form().ReplyFlag = 0;
    r.deliver({r.echo('R', "04", 0) + "*D 000005 2024/05/17 FO=00\r"});
    EXPECT_EQ(r.form().ReplyFlag, 0);  // channel 04 stops without raising the flag
    EXPECT_FALSE(r.green(0));
    EXPECT_EQ(r.form().Serial.text(), "00000258");
    EXPECT_EQ(r.form().RxBuffer, "*D 000005 2024/05/17 FO=00\r");
    r.deliver({"\n"});
    EXPECT_EQ(r.form().Serial.text(), "00000005");
    EXPECT_EQ(r.form().ReplyFlag, 1);
}

TEST_P(ReplyHandling, VersionLines) {
    struct Case {
        std::string line;
        std::string version;  // Version afterwards
        int replyFlag;
        std::string cMessage;
    };
    const bool tx = GetParam() == Program::Quorvex;
    const std::string good = tx ? "T" : "R";
    const std::string wrong = tx ? "R" : "T";
    const std::vector<Case> cases{
        {"*V " + good + "1.02 ORVANE-MO\r", "", 0, "old"},  // 18 characters: ignored
        {"*V " + good + "1.02 ORVANE-MOD\r", good + "1.02", 1, ""},
        {"*V " + wrong + "1.02 ORVANE-MOD\r", wrong + "1.02", 0, "Target error!!"},
    };
    for (const Case& c : cases) {
        Receiver r(GetParam());
        r.form().C_Message.setCaption("old");
        r.form().Serial.setText("00000001");
        r.form().EnableSwitches();
        r.deliver({c.line});
        EXPECT_EQ(r.form().Version.text(), c.version) << c.line;
        EXPECT_EQ(r.form().ReplyFlag, c.replyFlag) << c.line;
        EXPECT_EQ(r.form().C_Message.caption(), c.cMessage) << c.line;
        if (c.version.empty()) continue;
        EXPECT_EQ(r.form().Serial.text(), "") << c.line;
        EXPECT_EQ(r.form().Serial.backColor(), r.form().ColorGray) << c.line;
        const bool right = c.replyFlag == 1;
        EXPECT_EQ(r.form().Version.backColor(), right ? r.form().ColorGreen : r.form().ColorGray) << c.line;
        // A wrong module leaves only "Get Info." usable.
        EXPECT_EQ(r.form().ChWriteSW.enabled(), right) << c.line;
        EXPECT_TRUE(r.form().GetInfoSW.enabled()) << c.line;
    }
}

TEST_P(ReplyHandling, FlashClearAndCommonParameterLines) {
    const bool tx = GetParam() == Program::Quorvex;
    struct Case {
        std::string line;
        int replyFlag;
        std::string message;  // T_Message in Quorvex, C_Message for "*C" in Brelund
    };
    const std::string clearError = tx ? "Flash Clear Error!!" : "Flash Clear Error!";
    const std::vector<Case> cases{
        {"*C 01\r", 1, "old"},  // too short to be examined
        {"*C 01 NG\r", 1, clearError},
        {"*C 00 OK\r", 1, ""},
        {"*C 02 ??\r", 1, "old"},
        {"*M 0A,26,C8\r", tx ? 1 : 0, "old"},
        {"*M Err\r", tx ? 1 : 0, tx ? "Common Parameter Error!" : "old"},
        {"*M 0A,26,C9\r", tx ? 1 : 0, tx ? "Common Parameter Error!" : "old"},
        {"*E Unknown\r", 0, "old"},
    };
    for (const Case& c : cases) {
        Receiver r(GetParam());
        Label& label = !tx && c.line.starts_with("*C") ? r.form().C_Message : r.form().T_Message;
        label.setCaption("old");
        r.deliver({c.line});
        EXPECT_EQ(r.form().ReplyFlag, c.replyFlag) << c.line;
        EXPECT_EQ(label.caption(), c.message) << c.line;
    }
}

TEST_P(ReplyHandling, ReadBackEchoes) {
    Receiver r(GetParam());
    r.running(ExchangeKind::Check);
    r.deliver({r.echo('R', "02", 2)});
    EXPECT_EQ(r.form().ReplyFlag, 1);
    EXPECT_TRUE(r.green(2));
    EXPECT_EQ(r.stepGreen(2), !r.tx());
    EXPECT_EQ(r.form().T_Message.caption(), "");
    EXPECT_TRUE(r.form().outcome.current().confirmed[2]);

    // The last value differs: "Discrepancy!!" and no colour.
    Receiver m(GetParam());
    m.running(ExchangeKind::Check);
    std::string line = m.echo('R', "01", 1);
    line[line.size() - 2] = 'F';
    m.deliver({line + m.echo('R', "00", 0)});
    EXPECT_EQ(m.form().ReplyFlag, 1);
    EXPECT_EQ(m.form().T_Message.caption(), "Discrepancy!!");
    EXPECT_FALSE(m.green(1));
    EXPECT_FALSE(m.green(0));  // the stop keeps the next line waiting
    EXPECT_EQ(m.form().outcome.current().kind, OutcomeKind::Discrepancy);

    // Outside a check a matching line confirms nothing.
    Receiver idle(GetParam());
    idle.deliver({idle.echo('R', "02", 2)});
    EXPECT_FALSE(idle.green(2));
}

TEST_P(ReplyHandling, TestEchoesCompareWithWhatWasSentToTheRunningChannel) {
    for (int chIndex : {0, 3, -1, 4}) {
        Receiver r(GetParam());
        r.running(ExchangeKind::Test);
        r.form().ChIndex = chIndex;
        r.deliver({r.testEcho(std::clamp(chIndex, 0, 3))});
        EXPECT_EQ(r.form().ReplyFlag, 1);
        // A running channel outside 0 to 3 was sent nothing to match.
        const bool valid = chIndex >= 0 && chIndex <= 3;
        EXPECT_EQ(r.form().T_Message.caption(), valid ? "" : "Test Data error!!") << chIndex;
        EXPECT_EQ(r.form().outcome.current().passed(), valid) << chIndex;
    }
    Receiver m(GetParam());
    m.running(ExchangeKind::Test);
    m.form().ChIndex = 1;
    m.deliver({m.testEcho(2)});
    EXPECT_EQ(m.form().T_Message.caption(), "Test Data error!!");
}

// An echo carries every value sent; the receiver may echo just its first three. Anything else
// (a fourth or fifth value that differs or is cut) is a difference.
TEST_P(ReplyHandling, EchoesCarryEveryValueSent) {
    Receiver probe(GetParam());
    const std::string all = probe.values(1, probe.tx() ? 12 : 5);
    const std::string head = all.substr(0, probe.tx() ? all.size() : 8);
    struct Case {
        std::string values;
        bool matches;
    };
    const std::vector<Case> cases{
        {all, true},
        {head, true},
        {all.substr(0, all.size() - 1), false},
        {all.substr(0, all.size() - 2) + "FF", false},
        {head + ",", probe.tx()},  // a separator after the last value is never read
        {all.substr(0, 11), false},
    };
    for (const Case& c : cases) {
        Receiver r(GetParam());
        r.running(ExchangeKind::Write);
        r.form().ChIndex = 1;
        r.deliver({"*W 01 " + c.values + "\r"});
        EXPECT_EQ(r.green(1), c.matches) << c.values;
        EXPECT_EQ(r.form().T_Message.caption(), c.matches ? "" : "Flash Write Error!!") << c.values;
    }
}

// The echo belongs to the channel being written: a line naming another channel confirms nothing
// and fails the write of the channel being written.
TEST_P(ReplyHandling, WriteEchoesMustNameTheChannelBeingWritten) {
    Receiver r(GetParam());
    r.running(ExchangeKind::Write);
    r.form().ChIndex = 1;
    r.deliver({r.echo('W', "01", 1)});
    EXPECT_EQ(r.form().ReplyFlag, 1);
    EXPECT_TRUE(r.green(1));
    EXPECT_EQ(r.stepGreen(1), !r.tx());
    EXPECT_TRUE(r.form().outcome.current().confirmed[1]);

    for (const std::string& line : {r.echo('W', "02", 1), r.echo('W', "02", 2)}) {
        Receiver m(GetParam());
        m.running(ExchangeKind::Write);
        m.form().ChIndex = 1;
        m.deliver({line});
        EXPECT_EQ(m.form().ReplyFlag, 1) << line;
        EXPECT_EQ(m.form().T_Message.caption(), "Flash Write Error!!") << line;
        EXPECT_FALSE(m.green(2) || m.green(1)) << line;
        EXPECT_EQ(m.form().outcome.current().kind, OutcomeKind::FlashWriteError) << line;
        EXPECT_EQ(m.form().outcome.current().channel, 1) << line;
    }

    for (int chIndex : {-1, 4}) {
        Receiver o(GetParam());
        o.running(ExchangeKind::Write);
        o.form().ChIndex = chIndex;
        o.deliver({o.echo('W', "00", 0)});
        EXPECT_EQ(o.form().T_Message.caption(), "Flash Write Error!!");
        EXPECT_FALSE(o.green(0));
    }
}

TEST_P(ReplyHandling, WriteErrorAndChannelsOutOfRange) {
    const bool tx = GetParam() == Program::Quorvex;
    struct Case {
        std::string line;
        int replyFlag;
        std::string message;
    };
    const std::vector<Case> cases{
        // "Er" reads as 14 in hexadecimal but as 0 in decimal.
        {"*W Err\r", tx ? 0 : 1, "Flash Write Error!!"},
        {"*W 04 11,12,13\r", 0, ""},
        {"*W -1 11,12,13\r", tx ? 1 : 0, tx ? "Flash Write Error!!" : ""},  // hex "-" reads as 0
        {"*R 04 11,12,13\r", 0, ""},
        {"*R FF 11,12,13\r", 0, ""},
    };
    for (const Case& c : cases) {
        Receiver r(GetParam());
        r.deliver({c.line});
        EXPECT_EQ(r.form().ReplyFlag, c.replyFlag) << c.line;
        EXPECT_EQ(r.form().T_Message.caption(), c.message) << c.line;
        for (int ch = 0; ch < 4; ++ch)
            EXPECT_FALSE(r.green(ch)) << c.line;
    }
}

TEST_P(ReplyHandling, TermKeepsTheLast1000Characters) {
    Receiver r(GetParam());
    r.deliver({std::string(600, 'a'), std::string(400, 'b')});
    EXPECT_EQ(r.form().Term.text().size(), 1000u);
    r.deliver({"c\r"});
    const std::string& term = r.form().Term.text();
    ASSERT_EQ(term.size(), 1000u);
    EXPECT_EQ(term, std::string(598, 'a') + std::string(400, 'b') + "c\r");
    EXPECT_EQ(r.form().Term.caret(), 1000u);

    r.deliver({std::string(1500, 'x') + "yz"});
    EXPECT_EQ(r.form().Term.text(), std::string(998, 'x') + "yz");
}

// A module's bytes are single-byte characters wherever they show: Term and the boxes alike.
TEST_P(ReplyHandling, ModuleBytesShowAsTheSameCharactersEverywhere) {
    Receiver r(GetParam());
    const std::string type = GetParam() == Program::Quorvex ? "T" : "R";
    r.deliver({"*V " + type + "1.0\xE9 ORVANE-MOD\r*D 000005 2024/05/\xB0\xB0 FO=\xFF\r"});
    EXPECT_EQ(r.form().Version.text(), type + "1.0\u00E9");
    EXPECT_EQ(r.form().FactoryDate.text(), "2024/05/\u00B0\u00B0");
    EXPECT_NE(r.form().Term.text().find("1.0\u00E9 ORVANE"), std::string::npos);
    EXPECT_EQ(r.form().Term.caret(), r.form().Term.text().size());
}

// Noise without "*" is dropped at once; after a "*" that never sees a CR, everything waits for
// the line's end. (That the work stays linear in the bytes received is measured by the receive
// handler benchmark.)
TEST_P(ReplyHandling, LongInputInSmallChunks) {
    Receiver r(GetParam());
    const std::string piece(100, '#');
    for (int i = 0; i < 100; ++i)
        r.p.port.deliver(piece);
    EXPECT_EQ(r.form().RxBuffer, "");
    r.p.port.deliver("*V");
    for (int i = 0; i < 100; ++i)
        r.p.port.deliver(piece);
    EXPECT_EQ(r.form().RxBuffer.size(), 2u + 10000u);
    r.p.port.deliver("\r" + r.version());
    EXPECT_EQ(r.form().ReplyFlag, 1);
    EXPECT_EQ(r.form().RxBuffer, "");
}

}  // namespace
}  // namespace orvane::test
