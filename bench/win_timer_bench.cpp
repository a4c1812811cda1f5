// How late the Windows event loop runs its timers: for each interval the programs use (the
// register refresh's 50 ms, the exchanges' 146, 200 and 208 ms), the lateness of every period
// against its due time (start + k * interval), first each timer alone, then all four running
// together. Cross-built with the windows preset, run by hand (under Wine, or on Windows): figures,
// not a test.
//   wine build-windows/bench/win_timer_bench.exe [periods, default 50] [plain]
// "plain" makes the loop use the plain waitable timer with a 1 ms system timer period, as it does
// on systems without high-resolution timers.
#include "platform/win/services/LoopTimer.h"
#include "platform/win/services/WinEventLoop.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace {

using orvane::win::steadyMicros;
using orvane::win::WinEventLoop;

constexpr int kIntervals[] = {50, 146, 200, 208};

struct Lateness {
    int interval = 0;
    std::vector<std::int64_t> micros;  // one per period
};

// Starts a timer of each interval on the loop and records each period's lateness until every
// timer has run `periods` times.
std::vector<Lateness> measure(WinEventLoop& loop, const std::vector<int>& intervals, int periods) {
    std::vector<Lateness> results(intervals.size());
    int running = static_cast<int>(intervals.size());
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        Lateness& result = results[i];
        result.interval = intervals[i];
        const std::int64_t start = steadyMicros();
        auto id = std::make_shared<WinEventLoop::TimerId>(0);
        *id = loop.startTimer(intervals[i], [&loop, &result, &running, start, periods, id] {
            const auto k = static_cast<std::int64_t>(result.micros.size() + 1);
            result.micros.push_back(steadyMicros() - (start + k * result.interval * 1000));
            if (static_cast<int>(result.micros.size()) < periods) return;
            loop.stopTimer(*id);
            if (--running == 0) loop.quit(0);
        });
    }
    loop.run();
    return results;
}

double ms(std::int64_t micros) {
    return static_cast<double>(micros) / 1000.0;
}

// One table row per interval: the mean, worst and least lateness, and the last period's, which
// shows drift (it would grow with every period).
void print(const char* how, const std::vector<Lateness>& results) {
    for (const Lateness& result : results) {
        const auto [least, worst] = std::minmax_element(result.micros.begin(), result.micros.end());
        std::int64_t sum = 0;
        for (std::int64_t late : result.micros)
            sum += late;
        const double mean = static_cast<double>(sum) / static_cast<double>(result.micros.size());
        std::printf("| %s | %d | %zu | %.2f | %.2f | %.2f | %.2f |\n", how, result.interval,
                    result.micros.size(), mean / 1000.0, ms(*worst), ms(*least), ms(result.micros.back()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int periods = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const bool plain = argc > 2 && std::string_view(argv[2]) == "plain";
    WinEventLoop loop(plain ? orvane::win::LoopTimer::Kind::PlainRaisedPeriod
                            : orvane::win::LoopTimer::Kind::HighResolution);
    std::printf("waitable timer: %s\n\n",
                loop.timerKind() == orvane::win::LoopTimer::Kind::HighResolution
                    ? "high resolution (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION)"
                    : "plain, system timer period raised to 1 ms (timeBeginPeriod)");
    std::printf("| timers | interval (ms) | periods | mean late (ms) | worst | least | last period |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (int interval : kIntervals)
        print("alone", measure(loop, {interval}, periods));
    print("all four", measure(loop, std::vector<int>(std::begin(kIntervals), std::end(kIntervals)), periods));
    return 0;
}
