#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace orvane::text {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, LeadingNumberReadsTheNumberAtTheStart) {
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"868.3000", 868.3},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"+", 0},
        {".", 0},
        {"-.", 0},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5},
        {"+5", 5},
        {"+-5", 0},
        {"1E", 1},
        {"1e+", 1},
        {"1e-", 1},
        {"1E3", 1000},
        {"1e+2x", 100},
        {"25e-1", 2.5},
        {" 8.683E2", 868.3},
        {"\t\t 868.3", 868.3},
        {"\n868", 0},  // only blanks and tabs are skipped
        {"868,3", 868},
        {"868,3000", 868},
        {"868.3.1", 868.3},
        {"- 5", 0},
        {"12abc", 12},
        {"0x10", 0},
        {"-1", -1},
        {"-1E308", -1e308},
        {"3E10", 3e10},
        {"1E400", kInf},
        {"-1E400", -kInf},
        {"1e99999999999999999999999", kInf},
        {"1E-400", 0},
        {"0.0001e-99999999999999999999", 0},
        {"0e99999", 0},
        {"000000000000000000000868.3", 868.3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leadingNumber(c.text), c.expected) << "text \"" << c.text << '"';
    }
}

TEST(NumberText, LeadingNumberKeepsTheSignOfUnderflow) {
    EXPECT_TRUE(std::signbit(leadingNumber("-1E-400")));
    EXPECT_FALSE(std::signbit(leadingNumber("1E-400")));
}

TEST(NumberText, LeadingNumberHandlesVeryLongTexts) {
    EXPECT_EQ(leadingNumber(std::string(400, '9')), kInf);
    EXPECT_EQ(leadingNumber("-" + std::string(400, '9')), -kInf);
    EXPECT_EQ(leadingNumber(std::string(10000, '7')), kInf);
    EXPECT_EQ(leadingNumber(std::string(10000, 'x')), 0);
    EXPECT_EQ(leadingNumber(std::string(10000, ' ')), 0);
    EXPECT_EQ(leadingNumber("0." + std::string(10000, '0') + "1"), 0);
    EXPECT_EQ(leadingNumber(std::string(9990, ' ') + "868.3"), 868.3);
    EXPECT_EQ(leadingNumber("868.3" + std::string(10000, '0')), 868.3);
}

TEST(NumberText, RoundHalfEven) {
    const std::pair<double, double> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, -0},
        {-1.5, -2},
        {-2.5, -2},
        {0.49, 0},
        {0.51, 1},
        {-0.51, -1},
        {868312500.4, 868312500},
        {7, 7},
        {-7, -7},
        {1e300, 1e300},
        {4503599627370495.5, 4503599627370496},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    }
    EXPECT_EQ(roundHalfEven(kInf), kInf);
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

TEST(NumberText, ToInt32) {
    EXPECT_EQ(toInt32(0), 0);
    EXPECT_EQ(toInt32(-1), -1);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32(2147483647.9), 2147483647);
    EXPECT_EQ(toInt32(-2.9), -2);
    EXPECT_FALSE(toInt32(2147483648.0));
    EXPECT_FALSE(toInt32(-2147483649.0));
    EXPECT_FALSE(toInt32(3e10));
    EXPECT_FALSE(toInt32(kInf));
    EXPECT_FALSE(toInt32(-kInf));
    EXPECT_FALSE(toInt32(std::nan("")));
}

TEST(NumberText, RegisterTextKeepsTheLowByte) {
    const std::pair<std::int32_t, std::string> cases[] = {
        {0, "00"},          {5, "05"},
        {0x42, "42"},       {0xAB, "AB"},
        {0x10B, "0B"},      {-1, "FF"},
        {-14, "F2"},        {-256, "00"},
        {255, "FF"},        {std::numeric_limits<std::int32_t>::min(), "00"},
        {0x7FFFFFFF, "FF"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(registerText(value), expected) << value;
    }
    EXPECT_EQ(registerText(66.0), "42");
    EXPECT_EQ(registerText(-1.0), "FF");
    EXPECT_FALSE(registerText(2147483648.0));
    EXPECT_FALSE(registerText(kInf));
}

TEST(NumberText, FormatFixed4) {
    const std::pair<double, std::string> cases[] = {
        {868.3, "868.3000"},
        {846.6, "846.6000"},
        {0.0125, "0.0125"},
        {-1.5, "-1.5000"},
        {0, "0.0000"},
        {-0.0, "0.0000"},
        {-0.00001, "0.0000"},
        {-21.7, "-21.7000"},
        {846.6125004, "846.6125"},
        {0.99996, "1.0000"},
        {9999.99999, "10000.0000"},
        {0.03125, "0.0313"},  // an exact half, rounded away from zero
        {-0.03125, "-0.0313"},
        {0.09375, "0.0938"},
        {2.00005, "2.0000"},       // not exact in binary: lies just below the half
        {999.99995, "1000.0000"},  // and just above it
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(formatFixed4(value), expected) << value;
    }
    EXPECT_EQ(formatFixed4(868.3, ','), "868,3000");
    EXPECT_EQ(formatFixed4(kInf), "inf");
    EXPECT_EQ(formatFixed4(-kInf), "-inf");
    EXPECT_EQ(formatFixed4(std::numeric_limits<double>::max()).size(), 309u + 5u);
}

TEST(NumberText, WholeNumberText) {
    EXPECT_EQ(wholeNumberText(1700), "1700");
    EXPECT_EQ(wholeNumberText(-14), "-14");
    EXPECT_EQ(wholeNumberText(0), "0");
    EXPECT_EQ(wholeNumberText(-0.0), "0");
    EXPECT_EQ(wholeNumberText(1e18), "1000000000000000000");
    EXPECT_EQ(wholeNumberText(9.3e18), "");
    EXPECT_EQ(wholeNumberText(-9223372036854775808.0), "-9223372036854775808");
    EXPECT_EQ(wholeNumberText(kInf), "");
}

TEST(NumberText, OnRaster) {
    EXPECT_TRUE(onRaster(868.3, 12500));
    EXPECT_TRUE(onRaster(868.3125, 12500));
    EXPECT_TRUE(onRaster(868.3125004, 12500));  // hertz are rounded before the test
    EXPECT_TRUE(onRaster(0, 12500));
    EXPECT_TRUE(onRaster(-868.3, 12500));
    EXPECT_FALSE(onRaster(868.31, 12500));
    EXPECT_FALSE(onRaster(868.31249, 12500));
    EXPECT_TRUE(onRaster(868.31, 10000));
    EXPECT_FALSE(onRaster(2147.483648, 12500));  // beyond 32 bits of hertz, no overflow
    EXPECT_TRUE(onRaster(2150, 12500));
    EXPECT_FALSE(onRaster(kInf, 12500));
    EXPECT_FALSE(onRaster(-kInf, 12500));
    EXPECT_FALSE(onRaster(1e305, 12500));  // hertz count overflows to infinity
}

TEST(NumberText, HexField) {
    const std::pair<std::string, long long> cases[] = {
        {"00", 0},
        {"03", 3},
        {"1F", 31},
        {"ff", 255},
        {"Er", 14},
        {"rE", 0},
        {"", 0},
        {" 1", 0},
        {"-1", 0},
        {"A4,06", 0xA4},
        {"FFFFFFFF", 0xFFFFFFFFLL},
        {std::string(40, 'F'), std::numeric_limits<long long>::max()},
    };
    for (const auto& [field, expected] : cases) {
        EXPECT_EQ(hexField(field), expected) << field;
    }
}

TEST(NumberText, DecimalField) {
    const std::pair<std::string, long long> cases[] = {
        {"0", 0},
        {"-1", -1},
        {"+7", 7},
        {"1800", 1800},
        {"12x", 12},
        {"", 0},
        {"-", 0},
        {"x1", 0},
        {" 1", 0},
        {"1A", 1},
        {std::string(40, '9'), std::numeric_limits<long long>::max()},
    };
    for (const auto& [field, expected] : cases) {
        EXPECT_EQ(decimalField(field), expected) << field;
    }
}

TEST(NumberText, PrintNumber) {
    const std::pair<float, std::string> cases[] = {
        {1800.0f, " 1800 "}, {-60.0f, "-60 "},         {0.0f, " 0 "},
        {-0.0f, " 0 "},      {1800.5f, " 1800.5 "},    {-0.25f, "-0.25 "},
        {0.1f, " 0.1 "},     {1e10f, " 10000000000 "}, {16777216.0f, " 16777216 "},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(printNumber(value), expected) << value;
    }
    // Whatever the text, never an exponent and never a crash.
    EXPECT_EQ(printNumber(3e38f).find_first_of("eE"), std::string::npos);
    EXPECT_FALSE(printNumber(std::numeric_limits<float>::infinity()).empty());
}

TEST(NumberText, IgnoresTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE")) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const double read = leadingNumber("868.3");
    const std::string fixed = formatFixed4(868.3);
    const std::string printed = printNumber(1800.5f);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(read, 868.3);
    EXPECT_EQ(fixed, "868.3000");
    EXPECT_EQ(printed, " 1800.5 ");
}

}  // namespace
}  // namespace orvane::text
