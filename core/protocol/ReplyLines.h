#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orvane {

// Where the next reply line of the received text lies. A reply line runs from a "*" up to, not
// including, the next CR; a "*" that comes before that CR cuts the line short, and the line then
// begins at the later "*". Text before the line's "*" is dropped with it.
struct LineSearch {
    bool found = false;
    std::size_t begin = 0;  // the line's "*"
    std::size_t end = 0;    // its CR: the line is text[begin, end)
    // Leading characters done with. With a line: everything up to and including its CR. Without
    // one: the text that can never belong to a line (all of it when it holds no "*", else what
    // lies before the last "*"); the rest begins with "*" and holds no other "*" and no CR.
    std::size_t consumed = 0;
};

// Finds the next reply line. `resumeAt` lets a search go on where an earlier one stopped when more
// text has arrived: the caller vouches that text[0] is "*" and text[1, resumeAt) holds neither "*"
// nor CR (what an earlier search without a line left); 0 searches from the start. Work is
// proportional to the characters examined from `resumeAt` on.
LineSearch findReplyLine(std::string_view text, std::size_t resumeAt = 0);

// Appends received text to `buffer` (RxBuffer) and hands each complete reply line to `onLine`, in
// order, until it returns false (stop: the lines after it stay in the buffer for the next call)
// or no complete line is left. Handled lines, text before them and text that can never belong to
// a line leave the buffer; a line still waiting for its CR stays. `searched` carries over between
// calls how much of what stays was already searched (start with 0), so text that trickles in is
// searched once, not on every call.
void appendAndCutLines(std::string& buffer, std::size_t& searched, std::string_view chunk,
                       const std::function<bool(std::string_view)>& onLine);

// The characters at 1-based `position` (1 is the line's "*") and up to `length` of them; fewer or
// none where the line is too short.
std::string_view replyField(std::string_view line, std::size_t position, std::size_t length);

}  // namespace orvane
