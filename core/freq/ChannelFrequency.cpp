#include "core/freq/ChannelFrequency.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvane::freq {

namespace {

// A value less than this many steps below a raster point counts as that point (0.125 Hz), which
// absorbs the error of the step arithmetic: 868.3 - 0.0125 lands a hair below 868.2875.
constexpr double kSnapTolerance = 0.00001;

}  // namespace

std::vector<std::string> frequencyListTexts(const Band& band) {
    std::vector<std::string> texts;
    // Each next value is cut to four decimals, so the error of adding 0.0125 never accumulates.
    double g = band.low;
    while (g <= band.high) {
        texts.push_back(text::formatFixed4(g));
        g = std::floor((g + band.step) * 10000) / 10000;
    }
    return texts;
}

bool entryAcceptable(std::string_view text, const Band& band, bool checkRaster) {
    const double v = text::leadingNumber(text);
    if (!(v >= band.low && v <= band.high)) return false;
    // onRaster works on the hertz count as a double, so no count can overflow an integer.
    return !checkRaster || text::onRaster(v, band.rasterHz);
}

std::string steppedFrequencyText(std::string_view text, int direction, const Band& band) {
    const double v = text::leadingNumber(text);
    double g = direction > 0 ? v + band.step : v - band.step;
    g = std::floor(g / band.step + kSnapTolerance) * band.step;
    // Written so that a value that is not a number would also land on the lower edge; an infinite
    // or overflowing value lands on the edge on its side.
    if (!(g >= band.low)) g = band.low;
    if (g > band.high) g = band.high;
    return text::formatFixed4(g);
}

std::optional<ListPlace> FrequencyListOrder::place(std::string_view text,
                                                   const std::vector<std::string>& list) const {
    const double v = text::leadingNumber(text);
    if (!(v >= m_band.low && v <= m_band.high)) return std::nullopt;
    // The items ascend; each is compared by the number it reads as, as the entry's text is.
    const auto after = std::partition_point(
        list.begin(), list.end(), [v](const std::string& item) { return text::leadingNumber(item) < v; });
    const bool onItem = after != list.end() && text::leadingNumber(*after) == v;
    return ListPlace{static_cast<std::size_t>(after - list.begin()), onItem};
}

}  // namespace orvane::freq
