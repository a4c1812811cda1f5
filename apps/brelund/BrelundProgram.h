#pragma once

#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane::brelund {

// The receiver program's differences: texts, counts, module type and its register model.
Profile profile();

// The receiver program's window in its design state.
void describeWindow(Form1& form);

}  // namespace orvane::brelund
