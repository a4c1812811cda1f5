#include "tools/modsim/core/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::modsim {
namespace {

TEST(CommandLineTest, ReadsEveryOption) {
    const auto parsed = parseCommandLine({"--type",
                                          "R",
                                          "--version=R2.00",
                                          "--serial",
                                          "ffFF01",
                                          "--date",
                                          "2020/01/02",
                                          "--offset",
                                          "7F",
                                          "--common",
                                          "01,02,03",
                                          "--silent",
                                          "--no-reply",
                                          "/M",
                                          "--no-reply",
                                          "/W 02",
                                          "--wrong-type",
                                          "--write-error",
                                          "1",
                                          "--write-error=3",
                                          "--corrupt-value",
                                          "12",
                                          "--corrupt-on",
                                          "/W 01",
                                          "--chunk",
                                          "3",
                                          "--chunk-pause-ms",
                                          "5",
                                          "--noise",
                                          "--clear-failed",
                                          "--close-after",
                                          "9",
                                          "--delay-ms",
                                          "20",
                                          "--link",
                                          "/tmp/x",
                                          "--rig",
                                          "0A0001",
                                          "--rig-hold-ms=100",
                                          "--rig-gap-ms",
                                          "0",
                                          "--exit-on-stdin-eof",
                                          "--log",
                                          "--dump-flash"});
    ASSERT_EQ(parsed.error, "");
    const SimOptions& o = parsed.options;
    const SimFaults& f = o.config.faults;
    EXPECT_EQ(o.config.type, 'R');
    EXPECT_EQ(o.config.version, "R2.00");
    EXPECT_EQ(o.config.serial, 0xFFFF01u);
    EXPECT_EQ(o.config.date, "2020/01/02");
    EXPECT_EQ(o.config.offset, "7F");
    EXPECT_EQ(o.config.commonParam, "01,02,03");
    EXPECT_TRUE(f.silent);
    EXPECT_EQ(f.noReply, (std::vector<std::string>{"/M", "/W 02"}));
    EXPECT_TRUE(f.wrongType);
    EXPECT_EQ(f.writeErrorSlots, (std::set<int>{1, 3}));
    EXPECT_TRUE(f.corrupt);
    EXPECT_EQ(f.corruptValue, 12);
    EXPECT_EQ(f.corruptOn, std::vector<std::string>{"/W 01"});
    EXPECT_EQ(f.chunkSize, 3u);
    EXPECT_EQ(o.chunkPauseMs, 5);
    EXPECT_FALSE(f.noise.empty());
    EXPECT_EQ(f.noise.find('*'), std::string::npos);
    EXPECT_TRUE(f.unsolicitedClear);
    EXPECT_TRUE(f.clearFailed);
    EXPECT_EQ(f.closeAfter, 9);
    EXPECT_EQ(o.delayMs, 20);
    EXPECT_EQ(o.link, "/tmp/x");
    // A rig module takes the faults given outside the list, also those given after it.
    EXPECT_EQ(o.rig, (std::vector<RigModule>{{0x0A0001, f}}));
    EXPECT_EQ(o.rigHoldMs, 100);
    EXPECT_EQ(o.rigGapMs, 0);
    EXPECT_TRUE(o.exitOnStdinEof);
    EXPECT_TRUE(o.log);
    EXPECT_TRUE(o.dumpFlash);
    EXPECT_FALSE(o.help);
}

TEST(CommandLineTest, DefaultsAreAQuietTransmitter) {
    const auto parsed = parseCommandLine({});
    ASSERT_EQ(parsed.error, "");
    const SimFaults& f = parsed.options.config.faults;
    EXPECT_EQ(parsed.options.config.type, 'T');
    EXPECT_FALSE(f.silent || f.wrongType || f.corrupt || f.unsolicitedClear);
    EXPECT_EQ(f.chunkSize, 0u);
    EXPECT_EQ(f.closeAfter, 0);
    EXPECT_TRUE(parseCommandLine({"-h"}).options.help);
}

TEST(CommandLineTest, ReadsRigLists) {
    // A module's faults are spelt and valued as the fault options.
    const auto options = [](const std::vector<std::string>& args) {
        return parseCommandLine(args).options.config.faults;
    };
    const auto check = [](const std::string& list, const std::vector<RigModule>& expected) {
        const auto parsed = parseCommandLine({"--rig", list});
        EXPECT_EQ(parsed.error, "") << list;
        EXPECT_EQ(parsed.options.rig, expected) << list;
    };
    check("0A0001", {{0x0A0001, {}}});
    check("1,fffffe,1", {{1, {}}, {0xFFFFFE, {}}, {1, {}}});
    check("0A0002:write-error=2:silent,3", {{0x0A0002, options({"--write-error=2", "--silent"})}, {3, {}}});
    check("4:no-reply=/W 02:corrupt-value=3", {{4, options({"--no-reply=/W 02", "--corrupt-value=3"})}});
    check("5:wrong-type:chunk=1:noise", {{5, options({"--wrong-type", "--chunk=1", "--noise"})}});
}

TEST(CommandLineTest, RejectsBadArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"--type", "X"},
        {"--type"},
        {"--serial", "12345"},
        {"--serial", "12345G"},
        {"--version", "T1"},
        {"--date", "2024"},
        {"--offset", "1"},
        {"--write-error", "4"},
        {"--chunk", "0"},
        {"--chunk", "2x"},
        {"--close-after", "0"},
        {"--delay-ms", "-1"},
        {"--corrupt-value"},
        {"--no-reply", ""},
        {"--bogus"},
        {"--link"},
        {"--rig"},
        {"--rig", ""},
        {"--rig", "0A0001,"},
        {"--rig", ",0A0001"},
        {"--rig", "1234567"},
        {"--rig", "0G"},
        {"--rig", "-1"},
        {"--rig", "1:"},
        {"--rig", "1:bogus"},
        {"--rig", "1:type=R"},
        {"--rig", "1:write-error=4"},
        {"--rig", "1:write-error"},
        {"--rig", "1:no-reply"},
        {"--rig-hold-ms", "0"},
        {"--rig-gap-ms", "-1"},
    };
    for (const auto& args : cases) {
        const auto parsed = parseCommandLine(args);
        EXPECT_NE(parsed.error, "") << args[0];
        EXPECT_EQ(parsed.error.rfind(args[0], 0), 0u) << parsed.error;
    }
}

}  // namespace
}  // namespace orvane::modsim
