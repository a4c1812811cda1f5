#include "core/ops/ExchangeSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::ops {
namespace {

// Reply waits from the settings text: only the first four characters count, and a text with no
// usable rate falls back to the fixed 4800 baud instead of dividing by zero.
TEST(ReplyWait, FromTheFirstFourCharactersOfTheSettings) {
    auto check = [](const std::string& settings, int write, int read) {
        SCOPED_TRACE(settings);
        EXPECT_EQ(replyWait(settings, 100), write);
        EXPECT_EQ(replyWait(settings, 70), read);
    };
    check("4800,n,8,1", 208, 146);
    check("9600,n,8,1", 104, 73);
    check("19200,n,8,1", 521, 365);  // read as 1920
    check("2400", 417, 292);
    check("1200,n,8,1", 833, 583);
    check("8000", 125, 88);       // 87.5 rounds to the even 88
    check("1600", 625, 438);      // 437.5 rounds to the even 438
    check("  96", 10417, 7292);   // leading blanks are skipped
    check("1", 1000000, 700000);  // the longest wait there is
    // No usable rate: the fixed line rate.
    check("", 208, 146);
    check("n,8,1", 208, 146);
    check("0,n,8", 208, 146);
    check("-480", 208, 146);
    check("0.5,", 208, 146);
    check("1E-9", 208, 146);
    check("9E99", 208, 146);  // the wait would round to 0 ms
}

TEST(RegisterTexts, JoinsTheChannelColumn) {
    Grid grid;
    grid.setShape(6, 5);
    for (int row = 1; row <= 5; ++row)
        for (int col = 1; col <= 4; ++col)
            grid.setTextMatrix(row, col,
                               std::to_string(col - 1) + std::string(1, static_cast<char>('A' + row - 1)));
    EXPECT_EQ(registerTexts(grid, 0, 5), "0A,0B,0C,0D,0E");
    EXPECT_EQ(registerTexts(grid, 3, 3), "3A,3B,3C");
}

}  // namespace
}  // namespace orvane::ops
