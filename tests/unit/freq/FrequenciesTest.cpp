#include "core/freq/Frequencies.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::test {
namespace {

constexpr Color kWhite = kSystemWindowColor;
constexpr Color kYellow = 0xC0FFFF;
constexpr Color kPink = 0xC0C0FF;
constexpr Program kPrograms[] = {Program::Quorvex, Program::Brelund};

TEST(Frequencies, StartUpFillsListsAndSetsValidDefaults) {
    for (Program p : kPrograms) {
        TestProgram t(p);
        t.start();
        const char* expected[] = {"869.9250", "869.8000", "868.3000", "869.7500"};
        for (std::size_t ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(t.form().ChFrequency[ch].list().size(), 155u) << nameOf(p);
            EXPECT_EQ(t.form().ChFrequency[ch].text(), expected[ch]) << nameOf(p);
            EXPECT_EQ(t.form().ChFrequency[ch].backColor(), kWhite) << nameOf(p);
        }
    }
}

TEST(Frequencies, TypingKeyByKeyColoursEachText) {
    // Yellow 'Y' or white 'W' after each key, in Quorvex and in Brelund.
    struct Key {
        std::string text;
        char quorvex, brelund;
    };
    const Key keys[] = {{"8", 'Y', 'Y'},       {"86", 'Y', 'Y'},       {"869", 'W', 'W'},
                        {"869.", 'W', 'W'},    {"869.9", 'W', 'W'},    {"869.92", 'Y', 'W'},
                        {"869.925", 'W', 'W'}, {"868.3100", 'Y', 'W'}, {"868,3", 'Y', 'Y'},
                        {"", 'Y', 'Y'},        {"1E400", 'Y', 'Y'},    {"2147.5", 'Y', 'Y'}};
    for (Program p : kPrograms) {
        TestProgram t(p);
        t.start();
        ComboBox& box = t.form().ChFrequency[1];
        for (const Key& k : keys) {
            box.setText(k.text);
            const char want = p == Program::Quorvex ? k.quorvex : k.brelund;
            EXPECT_EQ(box.backColor(), want == 'Y' ? kYellow : kWhite) << nameOf(p) << " " << k.text;
        }
    }
}

TEST(Frequencies, LostFocusRevalidatesAPinkEntry) {
    for (Program p : kPrograms) {
        TestProgram t(p);
        t.start();
        ComboBox& box = t.form().ChFrequency[0];
        box.setText("868,3");
        t.advance(50);
        EXPECT_EQ(box.backColor(), kPink) << nameOf(p);
        box.lostFocus();
        EXPECT_EQ(box.backColor(), kYellow) << nameOf(p);
    }
}

TEST(Frequencies, StepChangesOnlyItsOwnChannel) {
    TestProgram t(Program::Quorvex);
    t.start();
    t.form().Fdown[2].click();
    t.form().Fup[0].click();
    EXPECT_EQ(t.form().ChFrequency[2].text(), "868.2875");
    EXPECT_EQ(t.form().ChFrequency[0].text(), "869.9375");
    EXPECT_EQ(t.form().ChFrequency[1].text(), "869.8000");
    EXPECT_EQ(t.form().ChFrequency[3].text(), "869.7500");
}

TEST(Frequencies, DefaultSetOrderAndColourReset) {
    for (Program p : kPrograms) {
        TestProgram t(p);
        t.start();
        std::vector<int> order;
        for (int ch = 0; ch < 4; ++ch) {
            ComboBox& box = t.form().ChFrequency[static_cast<std::size_t>(ch)];
            box.setText("1");
            box.observe([&order, ch](Prop prop, int) {
                if (prop == Prop::Text) order.push_back(ch);
            });
        }
        t.form().FreqDefaultSW.click();
        EXPECT_EQ(order, (std::vector<int>{3, 2, 1, 0})) << nameOf(p);

        // A colour from an exchange on an entry whose text does not change: only the receiver
        // program's reset clears it.
        t.form().ChFrequency[3].setBackColor(t.form().ColorGreen);
        t.form().FreqDefaultSW.click();
        const Color expected = p == Program::Brelund ? kWhite : t.form().ColorGreen;
        EXPECT_EQ(t.form().ChFrequency[3].backColor(), expected) << nameOf(p);
    }
}

}  // namespace
}  // namespace orvane::test
