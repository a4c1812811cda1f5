#include "core/files/FieldReader.h"
#include "core/files/LineWriter.h"

#include <gtest/gtest.h>

namespace orvane::files {
namespace {

TEST(LineWriter, EndsEveryLineWithCrLf) {
    EXPECT_EQ(crlfLines({}), "");
    EXPECT_EQ(crlfLines({""}), "\r\n");
    EXPECT_EQ(crlfLines({"DEBUG,ON,", "", "x"}), "DEBUG,ON,\r\n\r\nx\r\n");
}

TEST(LineWriter, QuotesOnlyValuesWithCommas) {
    const auto check = [](std::string_view value, std::string_view expected) {
        EXPECT_EQ(quoteIfNeeded(value), expected) << value;
    };
    check("", "");
    check("Quorvex.log", "Quorvex.log");
    check("a\"b", "a\"b");
    check("a,b.log", "\"a,b.log\"");
    check(",", "\",\"");
}

TEST(LineWriter, QuotedValuesReadBackWhole) {
    for (const std::string value :
         {"Quorvex.log", "a,b.log", ",lead", "trail,", "a,,b", "my logs\\x,y.log"}) {
        const auto text = crlfLines({"LOGF ," + quoteIfNeeded(value) + ",  Log File Name", "COM  ,COM3,c"});
        const auto records = readRecords(text);
        ASSERT_EQ(records.size(), 2u) << value;
        EXPECT_EQ(records[0].value, value);
        EXPECT_EQ(records[1].key, "COM");
    }
}

}  // namespace
}  // namespace orvane::files
