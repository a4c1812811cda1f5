#include "core/files/FieldReader.h"
#include "core/files/LineWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::files {
namespace {

using namespace std::string_literals;

TEST(LineWriter, EndsEveryLineWithCrLf) {
    EXPECT_EQ(crlfLines({}), "");
    EXPECT_EQ(crlfLines({""}), "\r\n");
    EXPECT_EQ(crlfLines({"DEBUG,ON,", "", "x"}), "DEBUG,ON,\r\n\r\nx\r\n");
}

TEST(LineWriter, WritesEachValueInTheClosestFormTheFieldsHold) {
    const auto check = [](std::string_view value, std::string_view expected) {
        EXPECT_EQ(fieldText(value), expected) << value;
    };
    check("", "");
    check("Quorvex.log", "Quorvex.log");
    check("a\"b", "a\"b");
    check("a,b.log", "\"a,b.log\"");
    check(",", "\",\"");
    check(" a\t", "\" a\t\"");
    check("a\r\nb", "\"a\r\nb\"");
    check("\"\"a\"b", "a\"b");        // a leading quote would open a quoted field
    check("\" a", "\" a\"");          // without its quote it begins with a blank
    check("\"a\",\"b\"", "\"a,b\"");  // no quote can stand inside quotes
    check("\"", "");
}

TEST(LineWriter, QuotedValuesReadBackWhole) {
    for (const std::string& value :
         std::vector<std::string>{"Quorvex.log", "a,b.log", ",lead", "trail,", "a,,b", "my logs\\x,y.log",
                                  " COM3 ", "\tx", "a\r\nb", "\r", "\n", "x\"y", "\x01\n\0"s}) {
        const auto text = crlfLines({"LOGF ," + fieldText(value) + ",  Log File Name", "COM  ,COM3,c"});
        const auto records = readRecords(text);
        ASSERT_EQ(records.size(), 2u) << value;
        EXPECT_EQ(records[0].value, value);
        EXPECT_EQ(records[1].key, "COM");
    }
}

}  // namespace
}  // namespace orvane::files
