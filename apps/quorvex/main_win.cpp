// Quorvex.exe: the transmitter program on Windows' own API and controls (WIN32 subsystem, no
// console); everything but the platform is the same code as on Linux.
#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "platform/win/view/WinProgramRunner.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    orvane::quorvex::QuorvexRegisterModel registers;
    return orvane::win::runProgram(orvane::quorvex::profile(), registers);
}
