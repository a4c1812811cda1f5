#include "core/freq/ChannelFrequency.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace orvane::freq {

namespace {

// A value less than this many steps below a raster point counts as that point (0.125 Hz), which
// absorbs the error of the step arithmetic: 868.3 - 0.0125 lands a hair below 868.2875.
constexpr double kSnapTolerance = 0.00001;

}  // namespace

std::vector<std::string> frequencyListTexts() {
    std::vector<std::string> texts;
    // Each next value is cut to four decimals, so the error of adding 0.0125 never accumulates.
    double g = kBandLow;
    while (g <= kBandHigh) {
        texts.push_back(text::formatFixed4(g));
        g = std::floor((g + kStep) * 10000) / 10000;
    }
    return texts;
}

bool entryAcceptable(std::string_view text, bool checkRaster) {
    const double v = text::leadingNumber(text);
    if (!(v >= kBandLow && v <= kBandHigh)) return false;
    // onRaster works on the hertz count as a double, so no count can overflow an integer.
    return !checkRaster || text::onRaster(v, kRasterHz);
}

std::string steppedFrequencyText(std::string_view text, int direction) {
    const double v = text::leadingNumber(text);
    double g = direction > 0 ? v + kStep : v - kStep;
    g = std::floor(g / kStep + kSnapTolerance) * kStep;
    // Written so that a value that is not a number would also land on the lower edge; an infinite
    // or overflowing value lands on the edge on its side.
    if (!(g >= kBandLow)) g = kBandLow;
    if (g > kBandHigh) g = kBandHigh;
    return text::formatFixed4(g);
}

}  // namespace orvane::freq
