// Brelund.exe: the receiver program on Windows' own API and controls (WIN32 subsystem, no
// console); everything but the platform is the same code as on Linux.
#include "apps/brelund/BrelundProfile.h"
#include "apps/brelund/BrelundRegisterModel.h"
#include "platform/win/view/WinProgramRunner.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    orvane::brelund::BrelundRegisterModel registers;
    return orvane::win::runProgram(orvane::brelund::profile(), registers);
}
