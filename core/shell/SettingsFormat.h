#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::settings {

// The TOP or LEFT value of the settings file as a single-precision number, or nothing when the
// value is not a number: the whole value, blanks around it aside, must be one number of the
// leading-number rule (text::wholeNumber). A number beyond the single-precision range becomes
// +/-infinity (1E400 reads as +infinity), one too small for it becomes 0.
std::optional<float> positionValue(std::string_view value);

// Where the window goes for a TOP (or LEFT) value v when limit is screen height minus window
// height (or the widths), both in single precision: v itself when 0 <= v <= limit, limit for a
// larger v (also when the window is larger than the screen and limit is negative), 0 for a
// negative v. The result is rounded to whole twips, halves to even, and held in the int range.
int windowPosition(float v, float limit);

// What the settings file holds, in the form the writer needs it.
struct SettingsValues {
    int top = 0;
    int left = 0;
    std::string port;
    std::string logFile;
    std::array<std::string, 4> channels;  // indexed by channel
    bool debug = false;
};

// The whole settings file, CR LF after every line: TOP, LEFT, COM, LOGF, CH3F to CH0F and
// "DEBUG,ON," only in debug mode. channelComments[ch] is the text after the value of channel ch,
// beginning with its comma. The text values are written by files::fieldText, so an ordinary value
// stands as it is and every value reads back in the next run as closely as the format allows.
std::string settingsFileText(const SettingsValues& values, const std::array<std::string, 4>& channelComments);

}  // namespace orvane::settings
