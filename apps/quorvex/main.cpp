#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "platform/qt/view/ProgramRunner.h"

int main(int argc, char** argv) {
    orvane::quorvex::QuorvexRegisterModel registers;
    return orvane::qt::runProgram(argc, argv, orvane::quorvex::profile(), registers);
}
