#include "core/shell/SettingsFormat.h"

#include "core/files/LineWriter.h"
#include "core/freq/FrequencyTable.h"
#include "core/text/NumberText.h"

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace orvane::settings {

namespace {

// Double to single precision without relying on an out-of-range conversion: beyond the largest
// float the result is the infinity of the same sign.
float toSingle(double value) {
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
    if (value > kMax) return std::numeric_limits<float>::infinity();
    if (value < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Whole twips, halves to even, held in the int range (a float position need not fit an int).
int toTwips(float position) {
    if (std::isnan(position)) return 0;
    const double rounded = text::roundHalfEven(static_cast<double>(position));
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rounded);
}

}  // namespace

std::optional<float> positionValue(std::string_view value) {
    const std::optional<double> number = text::wholeNumber(value);
    if (!number) return std::nullopt;
    return toSingle(*number);
}

int windowPosition(float v, float limit) {
    if (limit >= v && v >= 0) return toTwips(v);
    if (v >= 0) return toTwips(limit);
    return 0;
}

std::string settingsFileText(const SettingsValues& values,
                             const std::array<std::string, 4>& channelComments) {
    using files::fieldText;
    std::vector<std::string> lines;
    lines.reserve(9);
    lines.push_back("TOP  ," + text::printNumber(static_cast<float>(values.top)) +
                    ",            Window Top position");
    lines.push_back("LEFT ," + text::printNumber(static_cast<float>(values.left)) +
                    ",            Window Left position");
    lines.push_back("COM  ," + fieldText(values.port) + ",              Select Com Port: [COM1 to COM16]");
    lines.push_back("LOGF ," + fieldText(values.logFile) + ",  Log File Name");
    for (std::size_t ch = 4; ch-- > 0;)
        lines.push_back(freq::channelLine(static_cast<int>(ch), values.channels[ch], channelComments[ch]));
    if (values.debug) lines.emplace_back("DEBUG,ON,");
    return files::crlfLines(lines);
}

}  // namespace orvane::settings
