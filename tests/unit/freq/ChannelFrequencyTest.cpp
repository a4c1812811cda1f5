#include "apps/quorvex/QuorvexProfile.h"
#include "core/freq/ChannelFrequency.h"
#include "core/window/Controls.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::freq {
namespace {

const Band kBand = quorvex::profile().band;

TEST(ChannelFrequency, StepsOntoTheRasterAndStopsAtTheBandEdges) {
    struct Case {
        std::string text, up, down;
    };
    const Case cases[] = {
        {"868.3000", "868.3125", "868.2875"},  // down needs the snap tolerance
        {"868.3100", "868.3125", "868.2875"},
        {"868.0500", "868.0625", "868.0500"},
        {"869.9750", "869.9750", "869.9625"},
        {"868.0625", "868.0750", "868.0500"},
        {"", "868.0500", "868.0500"},
        {"abc", "868.0500", "868.0500"},
        {"900", "869.9750", "869.9750"},
        {"868,3", "868.0500", "868.0500"},
        {"1E306", "869.9750", "869.9750"},
        {"1.7E308", "869.9750", "869.9750"},
        {"1E400", "869.9750", "869.9750"},
        {"-1E400", "868.0500", "868.0500"},
        {"-1.7E308", "868.0500", "868.0500"},
        {std::string(10000, '9'), "869.9750", "869.9750"},
        {std::string(10000, 'x'), "868.0500", "868.0500"},
    };
    for (const Case& c : cases) {
        const std::string shown = c.text.substr(0, 20);
        EXPECT_EQ(steppedFrequencyText(c.text, +1, kBand), c.up) << "up from " << shown;
        EXPECT_EQ(steppedFrequencyText(c.text, -1, kBand), c.down) << "down from " << shown;
    }
}

TEST(ChannelFrequency, RepeatedStepsStayAtTheEdge) {
    std::string up = "869.9625";
    std::string down = "868.0625";
    for (int i = 0; i < 3; ++i) {
        up = steppedFrequencyText(up, +1, kBand);
        down = steppedFrequencyText(down, -1, kBand);
        EXPECT_EQ(up, "869.9750");
        EXPECT_EQ(down, "868.0500");
    }
}

TEST(ChannelFrequency, EveryStepFromEveryListItemLandsOnTheNeighbour) {
    const auto list = frequencyListTexts(kBand);
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        EXPECT_EQ(steppedFrequencyText(list[i], +1, kBand), list[i + 1]);
        EXPECT_EQ(steppedFrequencyText(list[i + 1], -1, kBand), list[i]);
    }
}

TEST(ChannelFrequency, ListHoldsEveryRasterPointOfTheBand) {
    const auto list = frequencyListTexts(kBand);
    ASSERT_EQ(list.size(), 155u);
    EXPECT_EQ(list.front(), "868.0500");
    EXPECT_EQ(list[2], "868.0750");
    EXPECT_EQ(list[152], "869.9500");
    EXPECT_EQ(list.back(), "869.9750");
    for (const std::string& text : list)
        EXPECT_TRUE(entryAcceptable(text, kBand, true)) << text;
}

TEST(ChannelFrequency, AcceptsBandAndRaster) {
    struct Case {
        std::string text;
        bool withRaster, withoutRaster;
    };
    const Case cases[] = {
        {"868.0500", true, true},    {"869.9750", true, true},  {"868.0499", false, false},
        {"869.9751", false, false},  {"868.3100", false, true}, {"868.3125", true, true},
        {"868.31249", false, true},  {"868,3", false, false},   {"", false, false},
        {"abc", false, false},       {" 868.3", true, true},    {"8.683E2", true, true},
        {"1E400", false, false},     {"-1E400", false, false},  {"2147.5", false, false},
        {"4294.9675", false, false}, {"1E306", false, false},   {std::string(10000, '9'), false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entryAcceptable(c.text, kBand, true), c.withRaster) << c.text.substr(0, 20);
        EXPECT_EQ(entryAcceptable(c.text, kBand, false), c.withoutRaster) << c.text.substr(0, 20);
    }
}

// The keys move an entry from the value it shows, in the list's order; the result goes through the
// entry's change handling as typing does.
TEST(ChannelFrequency, KeysMoveFromTheValueShown) {
    struct Case {
        std::string text;
        ListKey key;
        std::string after;
    };
    const Case cases[] = {
        {"869.7500", ListKey::Down, "869.7625"},
        {"868.3000", ListKey::Up, "868.2875"},
        {"868.31", ListKey::Down, "868.3125"},
        {"868.31", ListKey::Up, "868.3000"},
        {"868.3", ListKey::Down, "868.3125"},
        {"868.3000", ListKey::PageDown, "868.3875"},
        {"868.31", ListKey::PageDown, "868.3875"},
        {"868.31", ListKey::PageUp, "868.2250"},
        {"868.1000", ListKey::PageUp, "868.0500"},
        {"869.9750", ListKey::Down, "869.9750"},
        {"869.9700", ListKey::PageDown, "869.9750"},
        {"868.0500", ListKey::Up, "868.0500"},
        {"abc", ListKey::Down, "abc"},
        {"", ListKey::Up, ""},
        {"900", ListKey::Up, "900"},
        {"868,3", ListKey::Down, "868,3"},
        {"1E400", ListKey::Down, "1E400"},
    };
    const FrequencyListOrder order(kBand);
    for (const Case& c : cases) {
        ComboBox entry;
        for (const std::string& item : frequencyListTexts(kBand))
            entry.addItem(item);
        entry.listOrder = &order;
        entry.setText(c.text);
        int changes = 0;
        entry.onChange = [&changes] { ++changes; };
        entry.stepInList(listKeyStep(c.key));
        EXPECT_EQ(entry.text(), c.after) << c.text << " key " << static_cast<int>(c.key);
        EXPECT_EQ(changes, c.after == c.text ? 0 : 1) << c.text;
    }
}

}  // namespace
}  // namespace orvane::freq
