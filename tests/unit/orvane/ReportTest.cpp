#include "apps/orvane/Report.h"
#include "apps/orvane/production/Verdict.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orvane::cli {
namespace {

// Every JSON literal is plain ASCII: the record file and the console may be in any code page.
TEST(OrvaneReport, JsonStringsAreAsciiEscapes) {
    const std::pair<std::string, std::string> cases[] = {
        {"COM5", "\"COM5\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\t\r\n", "\"\\u0009\\u000d\\u000a\""},
        {"lot \xC3\xA9", "\"lot \\u00e9\""},         // U+00E9
        {"\xE2\x82\xAC", "\"\\u20ac\""},             // U+20AC
        {"\xF0\x9D\x84\x9E", "\"\\ud834\\udd1e\""},  // U+1D11E, a surrogate pair
        {"\xFF!", "\"\\ufffd!\""},                   // no UTF-8 character starts there
        {"\xC3", "\"\\ufffd\""},                     // cut short
        {"\xC3(", "\"\\ufffd(\""},                   // not continued
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(jsonString(text), json) << json;
}

// A write the line did not let through wrote nothing: never a pass. Another module at the end is
// the module's failure, never retried.
TEST(OrvaneVerdict, OnlyAPassPasses) {
    Outcome notAdmitted;
    notAdmitted.kind = OutcomeKind::NotAdmitted;
    EXPECT_FALSE(verdictOf(notAdmitted).passed());
    EXPECT_EQ(verdictOf(notAdmitted).exitStatus(), kExitModule);
    const Verdict changed = verdictOf(Reason::ModuleChanged, "00000002 answered at the end");
    EXPECT_EQ(changed.exitStatus(), kExitModule);
    EXPECT_FALSE(changed.retryable());
    EXPECT_EQ(changed.text(), "module changed (00000002 answered at the end)");
}

}  // namespace
}  // namespace orvane::cli
