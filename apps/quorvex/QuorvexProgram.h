#pragma once

#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane::quorvex {

// The transmitter program's differences: texts, counts, module type and its register model.
Profile profile();

// The transmitter program's window in its design state.
void describeWindow(Form1& form);

}  // namespace orvane::quorvex
