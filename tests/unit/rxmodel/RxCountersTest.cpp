#include "core/text/NumberText.h"
#include "rxmodel/RxCounters.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace orvane::rx {
namespace {

constexpr double kRefFrequency = 21.25;
constexpr int kPrescaler = 128;

std::string correctedText(std::string text) {
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    return text;
}

// One channel as the tick computes it: step and counters from the comma-corrected text, the pink
// mark from the shown text against the frequency reached.
struct Channel {
    std::string step;
    RxCounters counters;
    bool pink = false;
};

Channel computeChannel(const std::string& shown) {
    Channel channel;
    const std::string corrected = correctedText(shown);
    channel.step = stepCaption(corrected);
    const auto counters = channelCounters(text::leadingNumber(corrected), text::leadingNumber(channel.step),
                                          kRefFrequency, kPrescaler);
    EXPECT_TRUE(counters) << shown;
    if (!counters) return channel;
    channel.counters = *counters;
    channel.pink = corrected != shown || needsCorrection(text::leadingNumber(shown), counters->loActual);
    return channel;
}

std::string gridOf(const RxCounters& counters) {
    std::string text;
    for (const std::string& cell : counters.grid) {
        if (!text.empty()) text += ',';
        text += cell;
    }
    return text;
}

TEST(RxCounters, ChannelTextsGiveTheirCounters) {
    struct Case {
        std::string text;
        std::string step;
        double n;
        std::string lo, r, m, a, grid;
        bool pink;
    };
    const Case cases[] = {
        {"868.0500", "12.5", 67708, "846.3500", "1700", "528", "124", "A4,06,10,02,7C", false},
        {"868.3000", "12.5", 67728, "846.6000", "1700", "529", "16", "A4,06,11,02,10", false},
        {"869.7500", "12.5", 67844, "848.0500", "1700", "530", "4", "A4,06,12,02,04", false},
        {"869.8000", "12.5", 67848, "848.1000", "1700", "530", "8", "A4,06,12,02,08", false},
        {"869.9250", "12.5", 67858, "848.2250", "1700", "530", "18", "A4,06,12,02,12", false},
        {"869.9750", "12.5", 67862, "848.2750", "1700", "530", "22", "A4,06,12,02,16", false},
        {"868.3100", "10.0", 84661, "846.6100", "2125", "661", "53", "4D,08,95,02,35", false},
        {"868.3050", "10.0", 84660, "846.6000", "2125", "661", "52", "4D,08,95,02,34", true},
        // Hertz are rounded before the raster test, but whole steps cannot reach the fraction.
        {"868.3125004", "12.5", 67729, "846.6125", "1700", "529", "17", "A4,06,11,02,11", true},
        // No number: f = 0, a negative divide ratio whose floors go downward.
        {"", "12.5", -1736, "-21.7000", "1700", "-14", "56", "A4,06,F2,FF,38", false},
        {"abc", "12.5", -1736, "-21.7000", "1700", "-14", "56", "A4,06,F2,FF,38", false},
        // A comma entry is computed as its point twin and marked pink.
        {"868,3", "12.5", 67728, "846.6000", "1700", "529", "16", "A4,06,11,02,10", true},
        {"868,31", "10.0", 84661, "846.6100", "2125", "661", "53", "4D,08,95,02,35", true},
    };
    for (const Case& c : cases) {
        const Channel channel = computeChannel(c.text);
        SCOPED_TRACE("text \"" + c.text + '"');
        EXPECT_EQ(channel.step, c.step);
        EXPECT_EQ(channel.counters.n, c.n);
        EXPECT_EQ(channel.counters.loText, c.lo);
        EXPECT_EQ(channel.counters.rText, c.r);
        EXPECT_EQ(channel.counters.mText, c.m);
        EXPECT_EQ(channel.counters.aText, c.a);
        EXPECT_EQ(gridOf(channel.counters), c.grid);
        EXPECT_EQ(channel.counters.n, channel.counters.m * kPrescaler + channel.counters.a);
        EXPECT_EQ(channel.pink, c.pink);
    }
}

TEST(RxCounters, StepCaption) {
    const std::pair<std::string, std::string> cases[] = {
        {"868.3000", "12.5"},    {"868.3125", "12.5"}, {"868.3100", "10.0"}, {"868.31249", "10.0"},
        {"868,3", "12.5"},       {"", "12.5"},         {" 868.3", "12.5"},   {"-868.3", "12.5"},
        {"2147.483648", "10.0"},  // hertz beyond 32 bits: decided without overflow
        {"2150", "12.5"},        {"1E400", "10.0"},    {"-1E400", "10.0"},   {std::string(400, '9'), "10.0"},
    };
    for (const auto& [channelText, expected] : cases) {
        EXPECT_EQ(stepCaption(channelText), expected) << "text \"" << channelText << '"';
    }
}

TEST(RxCounters, LocalOscillatorTextUsesTheSeparatorGiven) {
    const auto counters = channelCounters(868.3, 12.5, kRefFrequency, kPrescaler, ',');
    ASSERT_TRUE(counters);
    EXPECT_EQ(counters->loText, "846,6000");
}

TEST(RxCounters, NeedsCorrection) {
    EXPECT_FALSE(needsCorrection(868.3, 846.6));
    EXPECT_FALSE(needsCorrection(868.31, 846.61));
    EXPECT_TRUE(needsCorrection(868.305, 846.6));
    EXPECT_TRUE(needsCorrection(868.3000001, 846.6));
    EXPECT_TRUE(needsCorrection(868.0, 846.6));  // the shown text read up to a comma
}

TEST(RxCounters, ValuesBeyond32BitsGiveNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(channelCounters(inf, 10.0, kRefFrequency, kPrescaler));
    EXPECT_FALSE(channelCounters(-inf, 12.5, kRefFrequency, kPrescaler));
    EXPECT_FALSE(channelCounters(1e308, 12.5, kRefFrequency, kPrescaler));
    EXPECT_FALSE(channelCounters(3e10, 10.0, kRefFrequency, kPrescaler));
    EXPECT_FALSE(channelCounters(868.3, 0.0, kRefFrequency, kPrescaler));
    // N = (f - 21.7) * 1000 / step is the first to leave 32 bits.
    EXPECT_TRUE(channelCounters(2.6e7, 12.5, kRefFrequency, kPrescaler));
    EXPECT_FALSE(channelCounters(2.7e7, 12.5, kRefFrequency, kPrescaler));
    EXPECT_TRUE(channelCounters(-2.6e7, 12.5, kRefFrequency, kPrescaler));
    EXPECT_FALSE(channelCounters(-2.7e7, 12.5, kRefFrequency, kPrescaler));
}

}  // namespace
}  // namespace orvane::rx
