#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::rx {

inline constexpr double kIntermediateFrequency = 21.7;  // MHz, local oscillator below the channel

// Channel step caption for a channel text as shown: "12.5" when the frequency in whole hertz
// (rounded half to even) is a multiple of 12500, otherwise "10.0". A text whose hertz count is not
// finite gets "10.0".
std::string stepCaption(std::string_view channelText);

struct RxCounters {
    double n = 0;         // total divide ratio
    double loActual = 0;  // local-oscillator frequency reached, MHz
    double r = 0, m = 0, a = 0;
    std::string loText;               // loActual formatted with four decimals
    std::string rText, mText, aText;  // plain whole numbers
    std::array<std::string, 5> grid;  // Rlo, Rhi, Mlo, Mhi, A as register texts
};

// The counters of one channel: f is the channel frequency read from the comma-corrected text,
// step the number of the step caption (12.5 or 10.0). Nothing when a value does not fit a signed
// 32-bit integer (huge or infinite frequencies).
std::optional<RxCounters> channelCounters(double f, double step, double refFrequency, int prescalerModulus,
                                          char decimalSeparator = '.');

// True when the frequency shown (fr2, read from the text as shown) is not reached exactly by the
// local oscillator: |fr2 - (loActual + 21.7)| > 1e-10. Such an entry is marked pink.
bool needsCorrection(double shownFrequency, double loActual);

}  // namespace orvane::rx
