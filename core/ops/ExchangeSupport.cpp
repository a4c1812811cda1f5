#include "core/ops/ExchangeSupport.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace orvane::ops {

namespace {

double waitAt(double baud, int characters) {
    // The same order of operations as the rule: the character time is scaled first.
    return text::roundHalfEven(characters / 100.0 * 1'000'000.0 / baud);
}

}  // namespace

double baudRate(std::string_view settingsText) {
    const double baud = text::leadingNumber(settingsText.substr(0, 4));
    if (!std::isfinite(baud) || baud < 1) return kFixedBaudRate;
    return baud;
}

int replyWait(std::string_view settingsText, int characters) {
    double wait = waitAt(baudRate(settingsText), characters);
    if (wait < 1) wait = waitAt(kFixedBaudRate, characters);
    return static_cast<int>(wait);
}

std::optional<std::string> registerTexts(const Grid& grid, int channel, int rows) {
    std::string texts;
    for (int row = 1; row <= rows; ++row) {
        const std::string& cell = grid.textMatrix(row, channel + 1);
        if (cell.empty()) return std::nullopt;
        if (row > 1) texts += ',';
        texts += cell;
    }
    return texts;
}

std::string commandName(std::string_view bytes) {
    if (bytes == "\x80") return "0x80";
    if (bytes.ends_with('\r')) bytes.remove_suffix(1);
    if (bytes.starts_with("/T ") || bytes.starts_with("/M ")) bytes = bytes.substr(0, 2);
    return std::string(bytes);
}

}  // namespace orvane::ops
