#include "core/window/Band868.h"

namespace orvane {

namespace {

const std::string kComment = ",           Frequency:  [868.0500 to 869.9750 MHz] at ";

}  // namespace

Band band868() {
    return {
        .low = 868.05,
        .high = 869.975,
        .step = 0.0125,
        .rasterHz = 12500,
        .defaults = {"869.9250", "869.8000", "868.3000", "869.7500"},
        .tableComments = {kComment + "SS/S1=Short/Short", kComment + "S2/S1=Short/Open ",
                          kComment + "S2/S1=Open /Short", kComment + "S2/S1=Open /Open "},
    };
}

}  // namespace orvane
