#include "core/protocol/ReplyLines.h"

namespace orvane {

LineSearch findReplyLine(std::string_view text, std::size_t resumeAt) {
    std::size_t start = 0;
    std::size_t next = 0;
    if (resumeAt > 0 && resumeAt <= text.size() && text.front() == '*') {
        next = resumeAt;
    } else {
        start = text.find('*');
        if (start == std::string_view::npos) return {false, 0, 0, text.size()};
        next = start + 1;
    }
    for (std::size_t i = next; i < text.size(); ++i) {
        if (text[i] == '*') {
            start = i;  // the line begun before was cut short
        } else if (text[i] == '\r') {
            return {true, start, i, i + 1};
        }
    }
    return {false, 0, 0, start};
}

void appendAndCutLines(std::string& buffer, std::size_t& searched, std::string_view chunk,
                       const std::function<bool(std::string_view)>& onLine) {
    // What the last call left is only trusted while the buffer still looks like it.
    std::size_t resumeAt = 0;
    if (searched > 0 && searched <= buffer.size() && buffer.front() == '*') resumeAt = searched;
    searched = 0;
    buffer += chunk;

    // Handled text is cut off once at the end: cutting after every line would copy the rest of a
    // long buffer again and again.
    std::size_t done = 0;
    for (;;) {
        const std::string_view rest = std::string_view(buffer).substr(done);
        const LineSearch search = findReplyLine(rest, resumeAt);
        resumeAt = 0;
        if (!search.found) {
            done += search.consumed;
            searched = buffer.size() - done;
            break;
        }
        const std::string line(rest.substr(search.begin, search.end - search.begin));
        done += search.consumed;
        if (!onLine(line)) break;
    }
    buffer.erase(0, done);
}

std::string_view replyField(std::string_view line, std::size_t position, std::size_t length) {
    if (position == 0 || position > line.size()) return {};
    return line.substr(position - 1, length);
}

}  // namespace orvane
