// Cost of probing one serial port the way the port list does when it opens (open with the fixed
// line settings, then close), on pseudo-terminals. Qt opens the device without blocking
// (O_NONBLOCK), so a probe never waits on the device; this measures what a probe costs the window.
#include "platform/qt/services/QtSerialPort.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

void ProbePseudoTerminal(benchmark::State& state) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    orvane::qt::QtSerialPort port;
    port.setDevicePath(::ptsname(master));
    for (auto _ : state) {
        if (!port.open()) {
            state.SkipWithError("open failed");
            break;
        }
        port.close();
    }
    ::close(master);
}
BENCHMARK(ProbePseudoTerminal)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
