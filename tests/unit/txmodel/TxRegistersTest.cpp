#include "core/text/NumberText.h"
#include "txmodel/TxRegisters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orvane::tx {
namespace {

// The transmitter program's constants, which the worked examples assume.
const TxConstants kConstants{13, "1C", "0A", "FF"};

std::string joined(const std::array<std::string, 12>& registers) {
    std::string text;
    for (const std::string& r : registers) {
        if (!text.empty()) text += ',';
        text += r;
    }
    return text;
}

// The register texts of a channel text read the way the program reads it: commas as points.
std::string registersOf(std::string channelText) {
    for (char& c : channelText) {
        if (c == ',') c = '.';
    }
    const auto registers = channelRegisters(text::leadingNumber(channelText), kConstants);
    return registers ? joined(*registers) : "none";
}

TEST(TxRegisters, ChannelTextsGiveTheirRegisterTexts) {
    const std::pair<std::string, std::string> cases[] = {
        {"868.0500", "42,0B,BD,18,1C,0A,6E,70,40,FF,0B,41"},
        {"868.3000", "42,95,5A,19,1C,0A,6E,70,40,FF,0B,41"},
        {"869.7500", "42,4E,EC,1C,1C,0A,6E,70,40,FF,0C,41"},
        {"869.8000", "42,D0,0B,1D,1C,0A,6E,70,40,FF,0C,41"},
        {"869.9250", "42,95,5A,1D,1C,0A,6E,70,40,FF,0C,41"},
        {"869.9750", "42,17,7A,1D,1C,0A,6E,70,40,FF,0C,41"},
        {"433.9200", "21,5B,1C,0C,1C,0A,6E,70,40,FF,0B,41"},
        {"868,3000", "42,95,5A,19,1C,0A,6E,70,40,FF,0B,41"},
        {"", "00,00,00,00,1C,0A,6E,70,40,FF,00,40"},
        {"abc", "00,00,00,00,1C,0A,6E,70,40,FF,00,40"},
        // Negative values floor downward and are written as the low byte of two's complement.
        {"-1", "FF,D8,89,1D,1C,0A,6E,70,40,FF,FF,3F"},
        // Exactly 800 takes the upper branch (Nest / 8), just below it the lower one (Nest / 4).
        {"800", "3D,13,3B,11,1C,0A,6E,70,40,FF,F6,40"},
        {"799.9999", "3D,03,3B,11,1C,0A,6E,70,40,FF,EC,41"},
    };
    for (const auto& [channelText, expected] : cases) {
        EXPECT_EQ(registersOf(channelText), expected) << "text \"" << channelText << '"';
    }
}

TEST(TxRegisters, FixedRowsFollowTheConstants) {
    TxConstants constants = kConstants;
    constants.powcfg0Text = "AA";
    constants.powcfg1Text = "BB";
    constants.reserveText = "CC";
    const auto registers = channelRegisters(868.3, constants);
    ASSERT_TRUE(registers);
    EXPECT_EQ((*registers)[4], "AA");
    EXPECT_EQ((*registers)[5], "BB");
    EXPECT_EQ((*registers)[9], "CC");
    // FDEV comes from the reference: a different one changes it.
    constants.refFrequency = 26;
    EXPECT_NE((*channelRegisters(868.3, constants))[6], "6E");
}

TEST(TxRegisters, FractionStaysWithin21BitsAcrossTheBand) {
    for (int step = 0; step <= 154; ++step) {
        const double f = 868.05 + step * 0.0125;
        const auto registers = channelRegisters(f, kConstants);
        ASSERT_TRUE(registers) << f;
        EXPECT_EQ((*registers)[6], "6E") << f;
        EXPECT_LE(text::hexField((*registers)[3]), 0x1F) << f;
    }
    // Just below a whole multiple of the reference the fraction is at its largest.
    const auto top = channelRegisters(std::nextafter(13.0 * 67, 0.0), kConstants);
    ASSERT_TRUE(top);
    EXPECT_LE(text::hexField((*top)[3]), 0x1F);
}

TEST(TxRegisters, ValuesBeyond32BitsGiveNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(channelRegisters(inf, kConstants));
    EXPECT_FALSE(channelRegisters(-inf, kConstants));
    EXPECT_FALSE(channelRegisters(3e10, kConstants));
    EXPECT_FALSE(channelRegisters(-1e308, kConstants));
    // PLLINT = f / 13 is the first written value to leave 32 bits (VAC itself is never written,
    // only its bytes).
    EXPECT_FALSE(channelRegisters(13.0 * 2147483648.0, kConstants));
    EXPECT_TRUE(channelRegisters(13.0 * 2147483647.0, kConstants));
    EXPECT_TRUE(channelRegisters(-13.0 * 2147483648.0, kConstants));
    EXPECT_FALSE(channelRegisters(-13.0 * 2147483649.0, kConstants));
}

}  // namespace
}  // namespace orvane::tx
