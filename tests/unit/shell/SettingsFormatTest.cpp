#include "apps/quorvex/QuorvexProfile.h"
#include "core/shell/SettingsFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace orvane::settings {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(PositionValue, ReadsWholeNumbersOnly) {
    const auto check = [](const char* value, std::optional<float> expected) {
        SCOPED_TRACE(value);
        const std::optional<float> v = positionValue(value);
        ASSERT_EQ(v.has_value(), expected.has_value());
        if (expected) {
            EXPECT_EQ(*v, *expected);
        }
    };
    check("1800", 1800.0f);
    check("-60", -60.0f);
    check("+1.5e3", 1500.0f);
    check(" 1800 ", 1800.0f);
    check("\t42\t", 42.0f);
    check(".5", 0.5f);
    check("5.", 5.0f);
    check("0", 0.0f);
    check("1E400", kInf);
    check("-1E400", -kInf);
    check("3.5E38", kInf);  // beyond the float range although a finite double
    check("1E-400", 0.0f);
    check("16777217", 16777216.0f);  // single precision: the nearest float
    check("", std::nullopt);
    check(" ", std::nullopt);
    check("abc", std::nullopt);
    check("12px", std::nullopt);
    check("1,5", std::nullopt);
    check("1 2", std::nullopt);
    check("1E", std::nullopt);
    check("1E+", std::nullopt);
    check("-", std::nullopt);
    check(".", std::nullopt);
    check("1.2.3", std::nullopt);
    check("inf", std::nullopt);
    check("nan", std::nullopt);
    check("0x10", std::nullopt);
}

TEST(WindowPosition, FollowsTheLimitRule) {
    const auto check = [](float v, float limit, int expected) {
        SCOPED_TRACE(std::to_string(v) + " within " + std::to_string(limit));
        EXPECT_EQ(windowPosition(v, limit), expected);
    };
    check(1800, 8370, 1800);
    check(0, 8370, 0);
    check(8370, 8370, 8370);
    check(8371, 8370, 8370);
    check(-100, 8370, 0);
    check(-0.0f, 8370, 0);
    check(kInf, 8370, 8370);
    check(-kInf, 8370, 0);
    check(0, -1230, -1230);  // window taller than the screen: any non-negative value gives the limit
    check(500, -1230, -1230);
    check(-1, -1230, 0);
    check(2.5f, 100, 2);  // halves to even
    check(3.5f, 100, 4);
    check(10.4f, 100, 10);
    check(3e9f, kInf, INT_MAX);  // beyond the int range: held at its end
    check(1, -3e9f, INT_MIN);
    check(std::numeric_limits<float>::quiet_NaN(), 100, 0);
}

SettingsValues exampleValues() {
    SettingsValues v;
    v.top = 1800;
    v.left = 2400;
    v.port = "COM3";
    v.logFile = "Quorvex.log";
    v.channels = {"869.9250", "869.8000", "868.3000", "869.7500"};
    v.debug = true;
    return v;
}

TEST(SettingsFileText, QuotesOnlyValuesHoldingAComma) {
    SettingsValues v = exampleValues();
    v.port = "/dev/tty USB\"0";  // blanks and quotes without a comma stay as they are
    v.logFile = "a,b.log";
    v.channels[2] = "868,3";
    const std::string text = settingsFileText(v, quorvex::profile().settingsChannelComments);
    EXPECT_NE(text.find("COM  ,/dev/tty USB\"0,   "), std::string::npos);
    EXPECT_NE(text.find("LOGF ,\"a,b.log\",  Log File Name\r\n"), std::string::npos);
    EXPECT_NE(text.find("CH2F ,\"868,3\",    "), std::string::npos);
}

}  // namespace
}  // namespace orvane::settings
