#pragma once

#include "core/window/Profile.h"

namespace orvane::brelund {

// The receiver program: its window, band, constants, texts and counts.
Profile profile();

}  // namespace orvane::brelund
