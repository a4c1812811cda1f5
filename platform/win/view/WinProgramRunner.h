#pragma once

#include "core/window/IRegisterModel.h"
#include "core/window/Profile.h"

namespace orvane::win {

// Runs one program on Windows' own API: the platform services, the window model with its
// behaviour, start-up, the window, the timers and the message loop, as the Linux programs do.
// Closing the window, or the session ending, runs shut-down once; the result is the program's
// exit status.
int runProgram(Profile profile, IRegisterModel& registerModel);

}  // namespace orvane::win
