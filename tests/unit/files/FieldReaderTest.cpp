#include "core/files/FieldReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::files {
namespace {

using namespace std::string_literals;

std::vector<std::string> allFields(std::string_view bytes) {
    std::vector<std::string> fields;
    FieldReader reader(bytes);
    while (auto field = reader.next())
        fields.push_back(*field);
    return fields;
}

struct FieldCase {
    const char* name;
    std::string input;
    std::vector<std::string> fields;
};

class FieldReaderFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldReaderFields, ReadsTheExpectedFields) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(allFields(c.input), c.fields) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldReaderFields,
    ::testing::Values(
        FieldCase{"EmptyInput", "", {}},
        FieldCase{"CommaBeforeLineEndGivesEmptyLastField", "DEBUG,ON,\r\n", {"DEBUG", "ON", ""}},
        FieldCase{"EndOfInputEndsTheField", "DEBUG,ON", {"DEBUG", "ON"}},
        FieldCase{"CommaAtEndOpensEmptyField", "a,", {"a", ""}}, FieldCase{"LoneComma", ",", {"", ""}},
        FieldCase{"FinalLineEndOpensNothing", "a\r\n", {"a"}},
        FieldCase{"BlanksAroundFieldsDropped", "CH2F   ,868.3,  x  \r\n", {"CH2F", "868.3", "x"}},
        FieldCase{"TabsAreBlanks", "\t a\t ,\tb\t", {"a", "b"}},
        FieldCase{"InnerBlanksKept", "a  b ,c", {"a  b", "c"}}, FieldCase{"OnlyBlanks", "   ", {""}},
        FieldCase{"LineEndsActLikeCommas", "a,b\r\nc\rd\ne", {"a", "b", "c", "d", "e"}},
        FieldCase{"EmptyLineIsEmptyField", "a\r\n\r\nb", {"a", "", "b"}},
        FieldCase{"LoneCrTwice", "a\r\rb", {"a", "", "b"}},
        FieldCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
        FieldCase{"BlankLineIsEmptyField", "a\r\n  \r\nb", {"a", "", "b"}},
        FieldCase{"QuotedFieldHoldsComma", "LOGF ,\"a,b.log\",  c\r\n", {"LOGF", "a,b.log", "c"}},
        FieldCase{"QuotedFieldHoldsLineEnds", "\"x\r\ny\rz\",w", {"x\r\ny\rz", "w"}},
        FieldCase{"QuotedFieldKeepsItsBlanks", " \" a \" ,b", {" a ", "b"}},
        FieldCase{"TextAfterClosingQuoteDropped", "\"a\"junk, b\r\nc", {"a", "b", "c"}},
        FieldCase{"EmptyQuotedField", "\"\",x", {"", "x"}},
        FieldCase{"UnterminatedQuoteRunsToEnd", "k,\"abc\r\ndef,g", {"k", "abc\r\ndef,g"}},
        FieldCase{"LoneQuote", "\"", {""}},
        FieldCase{"QuoteInsideUnquotedFieldIsText", "x\"y\",z", {"x\"y\"", "z"}},
        FieldCase{"NulAndHighBytesAreText", "a\0b,\xFF\xFE \r\n"s, {"a\0b"s, "\xFF\xFE"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct RecordCase {
    const char* name;
    std::string input;
    std::vector<std::vector<std::string>> records;  // key, value, comment
};

class FieldReaderRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(FieldReaderRecords, GroupsFieldsInThrees) {
    const RecordCase& c = GetParam();
    std::vector<std::vector<std::string>> actual;
    for (const auto& r : readRecords(c.input))
        actual.push_back({r.key, r.value, r.comment});
    EXPECT_EQ(actual, c.records) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldReaderRecords,
    ::testing::Values(
        RecordCase{"SettingsLines",
                   "TOP  , 1800 ,            Window Top position\r\n"
                   "COM  ,COM3,              Select Com Port: [COM1 to COM16]\r\n"
                   "CH3F ,869.7500,           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Open /Open \r\n"
                   "DEBUG,ON,\r\n",
                   {{"TOP", "1800", "Window Top position"},
                    {"COM", "COM3", "Select Com Port: [COM1 to COM16]"},
                    {"CH3F", "869.7500", "Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Open /Open"},
                    {"DEBUG", "ON", ""}}},
        RecordCase{"RecordCutShortByEndIsDropped", "COM  ,COM3,x\r\nDEBUG,ON", {{"COM", "COM3", "x"}}},
        RecordCase{"TwoFieldLineTakesCommentFromNextLine",
                   "COM  ,COM3\r\nCH1F ,869.8000,c1\r\nCH0F ,869.9250,c0\r\n",
                   {{"COM", "COM3", "CH1F"}, {"869.8000", "c1", "CH0F"}}},
        RecordCase{
            "UnquotedCommaShiftsRecords",
            "LOGF ,a,b.log,  Log File Name\r\nCH3F ,869.7500,c\r\nCH2F ,868.3000,c\r\n",
            {{"LOGF", "a", "b.log"}, {"Log File Name", "CH3F", "869.7500"}, {"c", "CH2F", "868.3000"}}},
        RecordCase{"QuotedCommaKeepsRecordsAligned",
                   "LOGF ,\"a,b.log\",  Log File Name\r\nCH3F ,869.7500,c\r\n",
                   {{"LOGF", "a,b.log", "Log File Name"}, {"CH3F", "869.7500", "c"}}},
        RecordCase{"EmptyLineShiftsRecords", "A,1,a\r\n\r\nB,2,b\r\n", {{"A", "1", "a"}, {"", "B", "2"}}},
        RecordCase{"TrailingEmptyLineAddsNoRecord", "A,1,a\r\n\r\n", {{"A", "1", "a"}}},
        RecordCase{"EmptyFields", ",,\r\n,,", {{"", "", ""}, {"", "", ""}}},
        RecordCase{"EmptyInput", "", {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Properties that hold for any input: every field but the first is opened by a separator, the
// fields are never longer than the input, and the records are the fields taken three at a time.
void checkInvariants(std::string_view input) {
    const auto fields = allFields(input);
    const auto separators = static_cast<std::size_t>(
        std::count_if(input.begin(), input.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }));
    std::size_t fieldBytes = 0;
    for (const auto& f : fields)
        fieldBytes += f.size();
    EXPECT_LE(fields.size(), separators + 1);
    EXPECT_LE(fieldBytes, input.size());
    const auto records = readRecords(input);
    ASSERT_EQ(records.size(), fields.size() / 3);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].key, fields[3 * i]);
        EXPECT_EQ(records[i].value, fields[3 * i + 1]);
        EXPECT_EQ(records[i].comment, fields[3 * i + 2]);
    }
}

TEST(FieldReader, ArbitraryBytesKeepInvariants) {
    std::mt19937 random(12345);
    // Biased towards the bytes that steer the reader, plus the full byte range.
    const std::string interesting = ",\r\n\" \t";
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        std::string input;
        const auto length = static_cast<std::size_t>(byte(random));
        for (std::size_t i = 0; i < length; ++i) {
            const int b = byte(random);
            input +=
                b < 96 ? interesting[static_cast<std::size_t>(b) % interesting.size()] : static_cast<char>(b);
        }
        checkInvariants(input);
    }
}

// Large inputs are read whole; how the time grows with the size is measured by the field reader
// benchmark.
TEST(FieldReader, LargeInputsAreReadToTheEnd) {
    const std::size_t size = 64u << 10;

    const std::string line = "CH2F ,868.3000,           Frequency comment\r\n";
    std::string lines;
    lines.reserve(size + line.size());
    while (lines.size() < size)
        lines += line;
    const auto records = readRecords(lines);
    ASSERT_EQ(records.size(), lines.size() / line.size());
    EXPECT_EQ(records.back().value, "868.3000");

    // One long field with blanks on both sides, and one long quoted field that is never closed.
    const std::string blanks(size / 2, ' ');
    EXPECT_EQ(allFields(blanks + "x" + blanks + "y" + blanks), std::vector<std::string>{"x" + blanks + "y"});
    const std::string body(size, ',');
    EXPECT_EQ(allFields("\"" + body), std::vector<std::string>{body});

    // A field between every two commas.
    FieldReader reader(body);
    std::size_t count = 0;
    while (reader.next())
        ++count;
    EXPECT_EQ(count, body.size() + 1);
}

}  // namespace
}  // namespace orvane::files
