#include "core/files/LineWriter.h"

#include <algorithm>

namespace orvane::files {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whether the field reader would cut an unquoted field short or trim it: a comma or line end
// inside, or blanks at either end.
bool needsQuotes(std::string_view value) {
    if (value.empty()) return false;
    return value.find_first_of(",\r\n") != std::string_view::npos || isBlank(value.front()) ||
           isBlank(value.back());
}

}  // namespace

std::string crlfLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string fieldText(std::string_view value) {
    std::string text(value);
    if (!needsQuotes(text)) {
        // A leading double quote would open a quoted field; one further in is read as it stands.
        text.erase(0, text.find_first_not_of('"'));
        // Dropping the quotes may have uncovered a leading blank, which needs quotes after all.
        if (!needsQuotes(text)) return text;
    }
    // Inside quotes the first double quote ends the field, so none can stay.
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return '"' + text + '"';
}

}  // namespace orvane::files
