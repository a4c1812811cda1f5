#include "tools/modsim/core/ModuleSim.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace orvane::modsim {
namespace {

const std::string kTxValues = "42,95,5A,01,02,03,04,05,06,07,08,FF";
const std::string kRxValues = "12,34,56,78,9A";

SimConfig makeConfig(char type) {
    SimConfig config;
    config.type = type;
    config.serial = 0x0A1B2C;
    config.date = "2023/11/30";
    config.offset = "3F";
    return config;
}

// The reply bytes for one command line.
std::string ask(ModuleSim& sim, const std::string& command) {
    return sim.feed(command + "\r").bytes();
}

// Characters from..to of a reply line, positions counted from 1 at the "*".
std::string at(const std::string& line, std::size_t from, std::size_t to) {
    return from - 1 < line.size() ? line.substr(from - 1, to - from + 1) : std::string();
}

const std::string& valuesFor(char type) {
    return type == 'T' ? kTxValues : kRxValues;
}

TEST(ModuleSimTest, RepliesHaveTheExactFormats) {
    struct Case {
        char type;
        std::string command;
        std::string reply;
    };
    const std::vector<Case> cases = {
        {'T', "/V", "*V T1.02 ORVANE-MOD\r"},
        {'R', "/V", "*V R1.02 ORVANE-MOD\r"},
        {'T', "/D", "*D 0A1B2C 2023/11/30 FO=3F\r"},
        {'R', "/D", "*D 0A1B2C 2023/11/30\r"},
        {'T', "/M", "*M 0A,26,C8\r"},
        {'T', "/M 01,02,0a", "*M 01,02,0A\r"},
        {'T', "/M 0A,26", "*M Err\r"},
        {'T', "/M 0A,26,C8,", "*M Err\r"},
        {'R', "/M", "*E Unknown\r"},
        {'T', "/R 03", "*R 03 00,00,00,00,00,00,00,00,00,00,00,00\r"},
        {'R', "/R 00", "*R 00 00,00,00,00,00\r"},
        {'T', "/R 04", "*R Err\r"},
        {'T', "/R 3", "*R Err\r"},
        {'T', "/T " + kTxValues, "*T  " + kTxValues + "\r"},
        {'R', "/T " + kRxValues, "*T " + kRxValues + "\r"},
        {'T', "/T 42,95,5a,01,02,03,04,05,06,07,08,ff", "*T  " + kTxValues + "\r"},
        {'T', "/T " + kRxValues, "*T Err\r"},
        {'R', "/T " + kTxValues, "*T Err\r"},
        {'R', "/T 12,34,56,78,9G", "*T Err\r"},
        {'R', "/T 12,34,56,78,9A,", "*T Err\r"},
        {'R', "/T 12;34,56,78,9A", "*T Err\r"},
        {'T', "/W 00", "*W Err\r"},  // nothing loaded by "/T" yet
        {'T', "/X", "*E Unknown\r"},
    };
    for (const auto& c : cases) {
        ModuleSim sim(makeConfig(c.type));
        EXPECT_EQ(ask(sim, c.command), c.reply) << c.type << " " << c.command;
    }
}

TEST(ModuleSimTest, IdentityFieldsSitAtTheirPositions) {
    for (const char type : {'T', 'R'}) {
        ModuleSim sim(makeConfig(type));
        std::string version = ask(sim, "/V");
        version.pop_back();
        EXPECT_GE(version.size(), 19u);
        EXPECT_EQ(at(version, 4, 4), std::string(1, type));
        EXPECT_EQ(at(version, 4, 8), std::string(1, type) + "1.02");

        const std::string identity = ask(sim, "/D");
        EXPECT_EQ(at(identity, 4, 5), "0A");
        EXPECT_EQ(at(identity, 6, 7), "1B");
        EXPECT_EQ(at(identity, 8, 9), "2C");
        EXPECT_EQ(at(identity, 11, 20), "2023/11/30");
        if (type == 'T') {
            EXPECT_EQ(at(identity, 25, 26), "3F");
        }
    }
}

TEST(ModuleSimTest, LoadWriteReadRoundTripPutsValuesAtTheirPositions) {
    for (const char type : {'T', 'R'}) {
        SCOPED_TRACE(type);
        ModuleSim sim(makeConfig(type));
        const std::string& values = valuesFor(type);
        const auto expected = *parseRegisterList(values, sim.registerCount());
        const std::string test = ask(sim, "/T " + values);
        const std::string write = ask(sim, "/W 02");
        const std::string read = ask(sim, "/R 02");
        // Value i of "*T" starts at 3i+2 for a transmitter and 3i+1 for a receiver; of "*W" and
        // "*R" at 3i+4 after the channel at 4-5.
        const std::size_t testStart = type == 'T' ? 2 : 1;
        EXPECT_EQ(at(write, 4, 5), "02");
        EXPECT_EQ(at(read, 4, 5), "02");
        for (std::size_t i = 1; i <= expected.size(); ++i) {
            const std::string value = at(values, 3 * i - 2, 3 * i - 1);
            EXPECT_EQ(at(test, 3 * i + testStart, 3 * i + testStart + 1), value) << i;
            EXPECT_EQ(at(write, 3 * i + 4, 3 * i + 5), value) << i;
            EXPECT_EQ(at(read, 3 * i + 4, 3 * i + 5), value) << i;
        }
        EXPECT_EQ(sim.flashSlot(2), expected);
        EXPECT_EQ(sim.writeCount(2), 1);
        EXPECT_EQ(sim.flashSlotText(0),
                  type == 'T' ? "00,00,00,00,00,00,00,00,00,00,00,00" : "00,00,00,00,00");
        EXPECT_EQ(sim.writeCount(0), 0);
    }
}

TEST(ModuleSimTest, BadLoadKeepsThePreviousTestRegisters) {
    ModuleSim sim(makeConfig('R'));
    ask(sim, "/T " + kRxValues);
    EXPECT_EQ(ask(sim, "/T 01,02"), "*T Err\r");
    EXPECT_EQ(ask(sim, "/W 01"), "*W 01 " + kRxValues + "\r");
    EXPECT_EQ(ask(sim, "/W 04"), "*W Err\r");
}

TEST(ModuleSimTest, CommonParametersAreKeptUntilChanged) {
    SimConfig config = makeConfig('T');
    config.commonParam = "01,02,03";
    ModuleSim sim(config);
    EXPECT_EQ(ask(sim, "/M"), "*M 01,02,03\r");
    ask(sim, "/M 0A,26,C8");
    EXPECT_EQ(ask(sim, "/M 0A,26"), "*M Err\r");
    EXPECT_EQ(sim.commonParam(), "0A,26,C8");
}

TEST(ModuleSimTest, CommandsAreFramedWhateverTheChunking) {
    ModuleSim whole(makeConfig('T'));
    const std::string stream = std::string("\x80") + "/V\r/D\r/T " + kTxValues + "\r*/W 01\r";
    const SimOutput once = whole.feed(stream);
    ASSERT_EQ(once.exchanges.size(), 6u);
    EXPECT_EQ(once.exchanges[0].command, "\x80");
    EXPECT_EQ(once.exchanges[0].reply, "");
    EXPECT_EQ(once.exchanges[4].command, "*");
    EXPECT_EQ(once.exchanges[4].reply, "");

    ModuleSim bytewise(makeConfig('T'));
    std::string replies;
    for (const char c : stream)
        replies += bytewise.feed(std::string(1, c)).bytes();
    EXPECT_EQ(replies, once.bytes());
    EXPECT_EQ(replies, "*V T1.02 ORVANE-MOD\r*D 0A1B2C 2023/11/30 FO=3F\r*T  " + kTxValues + "\r*W 01 " +
                           kTxValues + "\r");
    EXPECT_EQ(bytewise.commandCount(), 6);
}

TEST(ModuleSimTest, LineFeedsEmptyLinesAndCutLinesAreHandled) {
    ModuleSim sim(makeConfig('T'));
    EXPECT_EQ(sim.feed("\r\n\r").bytes(), "");
    EXPECT_EQ(sim.feed("/V\r\n").bytes(), "*V T1.02 ORVANE-MOD\r");
    // A "*" ends a test on its own and abandons a half-received line.
    const SimOutput out = sim.feed("/D*/V\r");
    ASSERT_EQ(out.exchanges.size(), 2u);
    EXPECT_EQ(out.exchanges[0].command, "*");
    EXPECT_EQ(out.bytes(), "*V T1.02 ORVANE-MOD\r");
    EXPECT_EQ(sim.commandCount(), 3);
}

TEST(ModuleSimTest, FaultsChangeTheReplies) {
    struct Case {
        std::string name;
        char type;
        void (*setup)(SimFaults&);
        std::vector<std::string> commands;
        std::string replies;  // to the last command
    };
    const std::string txLoad = "/T " + kTxValues;
    const std::vector<Case> cases = {
        {"silent", 'T', [](SimFaults& f) { f.silent = true; }, {"/V"}, ""},
        {"no reply by prefix", 'T', [](SimFaults& f) { f.noReply = {"/M"}; }, {"/M 0A,26,C8"}, ""},
        {"no reply other command",
         'T',
         [](SimFaults& f) { f.noReply = {"/W 02"}; },
         {txLoad, "/W 01"},
         "*W 01 " + kTxValues + "\r"},
        {"wrong type T", 'T', [](SimFaults& f) { f.wrongType = true; }, {"/V"}, "*V R1.02 ORVANE-MOD\r"},
        {"wrong type R", 'R', [](SimFaults& f) { f.wrongType = true; }, {"/V"}, "*V T1.02 ORVANE-MOD\r"},
        {"write error", 'T', [](SimFaults& f) { f.writeErrorSlots = {1}; }, {txLoad, "/W 01"}, "*W Err\r"},
        {"write error other slot",
         'R',
         [](SimFaults& f) { f.writeErrorSlots = {1}; },
         {"/T " + kRxValues, "/W 00"},
         "*W 00 " + kRxValues + "\r"},
        {"corrupt test echo",
         'R',
         [](SimFaults& f) { f.corrupt = true; },
         {"/T " + kRxValues},
         "*T 13,34,56,78,9A\r"},
        {"corrupt last value",
         'T',
         [](SimFaults& f) {
             f.corrupt = true;
             f.corruptValue = 12;
         },
         {txLoad},
         "*T  42,95,5A,01,02,03,04,05,06,07,08,FE\r"},
        {"corrupt value beyond count",
         'R',
         [](SimFaults& f) {
             f.corrupt = true;
             f.corruptValue = 12;
         },
         {"/T " + kRxValues},
         "*T 12,34,56,78,9B\r"},
        {"corrupt only selected",
         'R',
         [](SimFaults& f) {
             f.corrupt = true;
             f.corruptOn = {"/W 02"};
         },
         {"/T " + kRxValues, "/W 02"},
         "*W 02 13,34,56,78,9A\r"},
        {"corrupt not selected",
         'R',
         [](SimFaults& f) {
             f.corrupt = true;
             f.corruptOn = {"/W 02"};
         },
         {"/T " + kRxValues},
         "*T " + kRxValues + "\r"},
        {"echo of three values",
         'R',
         [](SimFaults& f) { f.echoValues = 3; },
         {"/T " + kRxValues},
         "*T 12,34,56\r"},
        {"stored wrong, echoed short",
         'R',
         [](SimFaults& f) {
             f.storeWrong = 4;
             f.echoValues = 3;
         },
         {"/T " + kRxValues, "/W 01", "/R 01"},
         "*R 01 12,34,56,79,9A\r"},
        {"noise", 'T', [](SimFaults& f) { f.noise = "\r\n~"; }, {"/M"}, "\r\n~*M 0A,26,C8\r"},
        {"unsolicited clear",
         'T',
         [](SimFaults& f) { f.unsolicitedClear = true; },
         {"/M"},
         "*M 0A,26,C8\r*C 00 OK\r"},
        {"clear failed",
         'R',
         [](SimFaults& f) {
             f.unsolicitedClear = true;
             f.clearFailed = true;
         },
         {"/V"},
         "*V R1.02 ORVANE-MOD\r*C 01 NG\r"},
        {"no clear line without a reply", 'T', [](SimFaults& f) { f.unsolicitedClear = true; }, {"*"}, ""},
    };
    for (const auto& c : cases) {
        ModuleSim sim(makeConfig(c.type));
        c.setup(sim.faults());
        std::string last;
        for (const auto& command : c.commands)
            last = ask(sim, command);
        EXPECT_EQ(last, c.replies) << c.name;
    }
}

TEST(ModuleSimTest, WithheldAndCorruptedRepliesStillChangeTheModule) {
    ModuleSim sim(makeConfig('T'));
    sim.faults().corrupt = true;
    sim.faults().noReply = {"/W 03"};
    ask(sim, "/T " + kTxValues);
    EXPECT_EQ(ask(sim, "/W 03"), "");
    EXPECT_EQ(sim.flashSlotText(3), kTxValues);
    sim.faults().corrupt = false;
    EXPECT_EQ(ask(sim, "/R 03"), "*R 03 " + kTxValues + "\r");
}

TEST(ModuleSimTest, FailedWriteKeepsTheSlot) {
    ModuleSim sim(makeConfig('R'));
    ask(sim, "/T " + kRxValues);
    ask(sim, "/W 01");
    sim.faults().writeErrorSlots = {1};
    ask(sim, "/T 00,00,00,00,01");
    EXPECT_EQ(ask(sim, "/W 01"), "*W Err\r");
    EXPECT_EQ(sim.flashSlotText(1), kRxValues);
    EXPECT_EQ(sim.writeCount(1), 1);
}

TEST(ModuleSimTest, ChunkingCutsEveryReplySeparately) {
    ModuleSim sim(makeConfig('T'));
    sim.faults().chunkSize = 4;
    sim.faults().unsolicitedClear = true;
    const SimOutput out = sim.feed("/M\r/V\r");
    const std::vector<std::string> expected = {"*M 0", "A,26", ",C8\r", "*C 0",  "0 OK", "\r",   "*V T",
                                               "1.02", " ORV", "ANE-",  "MOD\r", "*C 0", "0 OK", "\r"};
    EXPECT_EQ(out.chunks, expected);
}

TEST(ModuleSimTest, CloseAfterAnswersTheLastCommandThenIgnoresEverything) {
    ModuleSim sim(makeConfig('T'));
    sim.faults().closeAfter = 3;
    EXPECT_FALSE(sim.feed("\x80/V\r").dropLink);
    const SimOutput out = sim.feed("/D\r/M\r");
    EXPECT_TRUE(out.dropLink);
    EXPECT_EQ(out.bytes(), "*D 0A1B2C 2023/11/30 FO=3F\r");
    EXPECT_TRUE(sim.linkDropped());
    EXPECT_EQ(sim.feed("/V\r").bytes(), "");
    EXPECT_EQ(sim.commandCount(), 3);
}

TEST(ModuleSimTest, RejectsUnusableConfigurations) {
    const std::vector<void (*)(SimConfig&)> breakers = {
        [](SimConfig& c) { c.type = 'X'; },         [](SimConfig& c) { c.version = "T1.0"; },
        [](SimConfig& c) { c.serial = 0x1000000; }, [](SimConfig& c) { c.date = "2024/5/17"; },
        [](SimConfig& c) { c.offset = "3"; },       [](SimConfig& c) { c.commonParam = "0A,26"; },
    };
    for (std::size_t i = 0; i < breakers.size(); ++i) {
        SimConfig config = makeConfig('T');
        breakers[i](config);
        EXPECT_THROW(ModuleSim{config}, std::invalid_argument) << i;
    }
    SimConfig custom = makeConfig('R');
    custom.version = "T9.99";  // a version text is sent as given, even with another letter
    ModuleSim sim(custom);
    EXPECT_EQ(ask(sim, "/V"), "*V T9.99 ORVANE-MOD\r");
}

TEST(ModuleSimTest, PrintableShowsControlBytes) {
    EXPECT_EQ(printable(std::string("\x80/V\r\n*\x01\xFF", 8)), "<0x80>/V<CR><LF>*<0x01><0xFF>");
}

}  // namespace
}  // namespace orvane::modsim
