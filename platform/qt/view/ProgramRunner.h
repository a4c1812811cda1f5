#pragma once

#include "core/shell/App.h"
#include "core/window/Profile.h"

namespace orvane::qt {

// Runs one program: the Qt application, the platform services, the window model with its
// behaviour, start-up, the window, the timers and the event loop. Closing the window runs
// shut-down once; the result is the program's exit status.
int runProgram(int argc, char** argv, Profile profile, IRegisterModel& registerModel);

}  // namespace orvane::qt
