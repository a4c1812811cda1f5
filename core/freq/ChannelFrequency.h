#pragma once

#include "core/window/ListStep.h"
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

// Places an entry's text in its frequency list by value: a text whose number lies in the band
// lies among the items by that number (on an item of the same value, or between two); any other
// text has no place, so the keys and the wheel leave it alone.
class FrequencyListOrder final : public IListOrder {
public:
    explicit FrequencyListOrder(const Band& band) : m_band(band) {}
    std::optional<ListPlace> place(std::string_view text,
                                   const std::vector<std::string>& list) const override;

private:
    const Band& m_band;
};

}  // namespace orvane::freq
