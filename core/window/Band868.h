#pragma once

#include "core/window/Profile.h"

namespace orvane {

// The 868/869 MHz band both programs serve: 868.0500 to 869.9750 MHz on the 12.5 kHz raster, the
// default channels and the comments the table file writes after each channel.
Band band868();

}  // namespace orvane
