#include "apps/brelund/BrelundProfile.h"
#include "apps/brelund/BrelundRegisterModel.h"
#include "platform/qt/view/ProgramRunner.h"

int main(int argc, char** argv) {
    orvane::brelund::BrelundRegisterModel registers;
    return orvane::qt::runProgram(argc, argv, orvane::brelund::profile(), registers);
}
