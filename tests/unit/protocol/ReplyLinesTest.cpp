#include "core/protocol/ReplyLines.h"
#include "tests/support/ReferenceLineCutter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

// Cuts a text into lines the way the receive handler does: every line found, then what is left.
struct Cut {
    std::vector<std::string> lines;
    std::string rest;
};

Cut cut(const std::string& text) {
    Cut result;
    std::string_view rest(text);
    for (;;) {
        const LineSearch s = findReplyLine(rest);
        if (!s.found) {
            result.rest = std::string(rest.substr(s.consumed));
            return result;
        }
        result.lines.emplace_back(rest.substr(s.begin, s.end - s.begin));
        rest.remove_prefix(s.consumed);
    }
}

TEST(ReplyLines, CutsTextIntoLines) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
        const char* rest;
    };
    const std::vector<Case> cases{
        {"", {}, ""},
        {"no star at all\r", {}, ""},
        {"*V T1.02\r", {"*V T1.02"}, ""},
        {"*V T1.02", {}, "*V T1.02"},
        {"*", {}, "*"},
        {"*\r", {"*"}, ""},
        {"\r\n*D 1\r*C 00\rtail", {"*D 1", "*C 00"}, ""},
        {"\n*D 1\r\n*C", {"*D 1"}, "*C"},
        {"noise*V cut*D whole\r", {"*D whole"}, ""},
        {"*V cut*D waits", {}, "*D waits"},  // the cut-short line can never complete
        {"*A\r\r*B\r", {"*A", "*B"}, ""},
        {"**\r", {"*"}, ""},
        {"*A\n\r", {"*A\n"}, ""},
        {"*W Err\r*W 00 01\r", {"*W Err", "*W 00 01"}, ""},
    };
    for (const Case& c : cases) {
        const Cut got = cut(c.text);
        EXPECT_EQ(got.lines, c.lines) << c.text;
        EXPECT_EQ(got.rest, c.rest) << c.text;
    }
}

TEST(ReplyLines, ResumesWhereTheLastSearchStopped) {
    // "*V T1" was searched before; the part after resumeAt is new.
    struct Case {
        const char* text;
        std::size_t resumeAt;
        bool found;
        std::size_t begin, end, consumed;
    };
    const std::vector<Case> cases{
        {"*V T1.02 X\r", 5, true, 0, 10, 11},
        {"*V T1.02 *D\r", 5, true, 9, 11, 12},
        {"*V T1.02", 5, false, 0, 0, 0},
        {"*V T1*D", 5, false, 0, 0, 5},
        {"*V T1", 5, false, 0, 0, 0},
        {"*V T1", 9, false, 0, 0, 0},  // a promise beyond the text is not trusted
        {"ab*C\r", 3, true, 2, 4, 5},  // nor one about a text that does not begin with "*"
    };
    for (const Case& c : cases) {
        const LineSearch s = findReplyLine(c.text, c.resumeAt);
        EXPECT_EQ(s.found, c.found) << c.text;
        EXPECT_EQ(s.consumed, c.consumed) << c.text;
        if (c.found) {
            EXPECT_EQ(s.begin, c.begin) << c.text;
            EXPECT_EQ(s.end, c.end) << c.text;
        }
    }
}

TEST(ReplyLines, CuttingOverManyEventsMatchesTheReference) {
    // A line beginning "*S" stops the handler; the lines after it wait for the next event.
    const std::vector<std::string> streams{
        "\r\n*V T1.02 ORVANE-MOD\r*D 0A1B2C\r",
        "noise*V cut*D whole\r\n*C 00 OK\r",
        "*S stop\r*A\r*B\r*S\r*C\r",
        "**\r*\r\r*x*y*z\rtail*",
        "*A*B*C\r*S*D\r*E",
    };
    auto stopsOn = [](std::vector<std::string>& seen) {
        return [&seen](std::string_view line) {
            seen.emplace_back(line);
            return !line.starts_with("*S");
        };
    };
    for (const std::string& stream : streams) {
        // Every way of cutting the stream into three events, plus two empty events at the end
        // that let stopped lines through.
        for (std::size_t a = 0; a <= stream.size(); ++a) {
            for (std::size_t b = a; b <= stream.size(); ++b) {
                const std::vector<std::string> events{stream.substr(0, a), stream.substr(a, b - a),
                                                      stream.substr(b), "", ""};
                std::vector<std::string> expected;
                std::vector<std::string> got;
                std::string referenceBuffer;
                std::string buffer;
                std::size_t searched = 0;
                for (const std::string& event : events) {
                    test::referenceEvent(referenceBuffer, event, stopsOn(expected));
                    appendAndCutLines(buffer, searched, event, stopsOn(got));
                    ASSERT_EQ(got, expected) << stream << " cut at " << a << ", " << b;
                }
                // What stays is what the reference keeps, less text they would drop later.
                EXPECT_TRUE(referenceBuffer.ends_with(buffer)) << stream << " cut at " << a << ", " << b;
            }
        }
    }
}

TEST(ReplyLines, FieldsByPosition) {
    const std::string_view line = "*R 02 0A,0B";
    EXPECT_EQ(replyField(line, 1, 2), "*R");
    EXPECT_EQ(replyField(line, 4, 2), "02");
    EXPECT_EQ(replyField(line, 10, 2), "0B");
    EXPECT_EQ(replyField(line, 11, 2), "B");
    EXPECT_EQ(replyField(line, 12, 2), "");
    EXPECT_EQ(replyField(line, 0, 2), "");
    EXPECT_EQ(replyField(line, 1, 100), line);
}

}  // namespace
}  // namespace orvane
