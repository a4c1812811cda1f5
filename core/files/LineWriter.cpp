#include "core/files/LineWriter.h"

namespace orvane::files {

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

std::string quoteIfNeeded(std::string_view value) {
    if (value.find(',') == std::string_view::npos) return std::string(value);
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

}  // namespace orvane::files
