#include "apps/quorvex/QuorvexProgram.h"
#include "platform/qt/ProgramRunner.h"

int main(int argc, char** argv) {
    return orvane::qt::runProgram(argc, argv, orvane::quorvex::profile(), &orvane::quorvex::describeWindow);
}
