#pragma once

#include "core/window/Profile.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane::freq {

// The texts of every entry's drop-down list: each step of the band, ascending, in the program's
// own four-decimal form (868.0500 ... 869.9750).
std::vector<std::string> frequencyListTexts(const Band& band);

// Whether an entry text is an acceptable channel frequency: its leading number lies in the band
// and, when checkRaster is set, its whole hertz count is a multiple of the band's raster. A text
// without a number reads as 0; a number beyond the double range is outside the band.
bool entryAcceptable(std::string_view text, const Band& band, bool checkRaster);

// The text one step up (direction > 0) or down (otherwise) from the entry text: the step point at
// or below the stepped value (a hair below a point counts as the point), held inside the band.
std::string steppedFrequencyText(std::string_view text, int direction, const Band& band);

}  // namespace orvane::freq
