#pragma once

#include "core/window/Profile.h"

namespace orvane::quorvex {

// The transmitter program: its window, band, constants, texts and counts.
Profile profile();

}  // namespace orvane::quorvex
