#include "tools/modsim/core/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::modsim {
namespace {

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
