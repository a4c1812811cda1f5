#include "apps/brelund/BrelundProgram.h"
#include "platform/qt/ProgramRunner.h"

int main(int argc, char** argv) {
    return orvane::qt::runProgram(argc, argv, orvane::brelund::profile(), &orvane::brelund::describeWindow);
}
