#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::freq {

// The band every channel must lie in, inclusive, and the channel raster, in MHz.
inline constexpr double kBandLow = 868.05;
inline constexpr double kBandHigh = 869.975;
inline constexpr double kStep = 0.0125;
inline constexpr double kRasterHz = 12500;

// The texts of every entry's drop-down list: each raster point of the band, ascending, in the
// program's own four-decimal form (868.0500 ... 869.9750).
std::vector<std::string> frequencyListTexts();

// Whether an entry text is an acceptable channel frequency: its leading number lies in the band
// and, when checkRaster is set, its whole hertz count is a multiple of 12.5 kHz. A text without a
// number reads as 0; a number beyond the double range is outside the band.
bool entryAcceptable(std::string_view text, bool checkRaster);

// The text one step up (direction > 0) or down (otherwise) from the entry text: the raster point at
// or below the stepped value (a hair below a point counts as the point), held inside the band.
std::string steppedFrequencyText(std::string_view text, int direction);

}  // namespace orvane::freq
