// The Windows event loop in real time: order and timing of callbacks and timer periods, timers
// stopped from callbacks, the console's requests to end, and a serial port's events through
// watch(). Times are checked against a few milliseconds of tolerance, never as exact counts.
#include "platform/win/services/ConsoleTermination.h"
#include "platform/win/services/WinEventLoop.h"
#include "platform/win/services/WinSerialPort.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include <windows.h>

namespace orvane::win {
namespace {

// How late a callback may run before the test calls it wrong. Generous: the machine is shared and
// Wine adds latency of its own (a loaded run once saw a period 22 ms late, most are within 2 ms).
// bench/win_timer_bench gives the real figures.
constexpr long long kLateMs = 30;

// What ran, and when, in ms from the start of the test.
struct Log {
    explicit Log(const WinEventLoop& clock) : loop(clock), start(clock.now()) {}
    void add(std::string label) { entries.emplace_back(std::move(label), loop.now() - start); }
    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (const auto& entry : entries)
            out.push_back(entry.first);
        return out;
    }
    const WinEventLoop& loop;
    long long start;
    std::vector<std::pair<std::string, long long>> entries;
};

TEST(WinEventLoop, RunsCallbacksAndTimerPeriodsInTimeOrderOnTime) {
    WinEventLoop loop;
    Log log(loop);
    // Each label with the time it is due, in the order they must run: those due together in the
    // order they were posted.
    const std::vector<std::pair<std::string, long long>> expected = {
        {"post 0", 0},   {"post 10 a", 10}, {"post 10 b", 10}, {"timer 25", 25},
        {"post 30", 30}, {"timer 50", 50},  {"post 60", 60},   {"timer 75", 75},
    };
    loop.post(30, [&] { log.add("post 30"); });
    loop.post(10, [&] { log.add("post 10 a"); });
    loop.post(10, [&] { log.add("post 10 b"); });
    int ticks = 0;
    IEventLoop::TimerId timer = 0;
    timer = loop.startTimer(25, [&] {
        log.add("timer " + std::to_string(25 * ++ticks));
        if (ticks == 3) loop.stopTimer(timer);
    });
    loop.post(60, [&] { log.add("post 60"); });
    loop.post(0, [&] { log.add("post 0"); });
    loop.post(120, [&] { loop.quit(4); });
    EXPECT_EQ(loop.run(), 4);

    ASSERT_EQ(log.entries.size(), expected.size()) << testing::PrintToString(log.labels());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [label, at] = log.entries[i];
        EXPECT_EQ(label, expected[i].first);
        EXPECT_GE(at, expected[i].second) << label;
        EXPECT_LE(at, expected[i].second + kLateMs) << label;
    }
}

TEST(WinEventLoop, TimerPeriodsKeepTheirBeatWhenCallbacksRunLong) {
    WinEventLoop loop;
    Log log(loop);
    IEventLoop::TimerId timer = 0;
    timer = loop.startTimer(50, [&] {
        log.add("tick");
        // The next periods stay due at 100 and 150; counted from the callbacks' ends they would
        // fall at 140 and 230.
        if (log.entries.size() < 3) Sleep(40);
        if (log.entries.size() == 3) loop.quit(0);
    });
    loop.run();
    loop.stopTimer(timer);
    ASSERT_EQ(log.entries.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const long long due = 50 * static_cast<long long>(i + 1);
        EXPECT_GE(log.entries[i].second, due) << i;
        EXPECT_LE(log.entries[i].second, due + kLateMs) << i;
    }
}

TEST(WinEventLoop, ACallbackStopsTimersAndPostsAfterItself) {
    WinEventLoop loop;
    Log log(loop);
    IEventLoop::TimerId other = loop.startTimer(25, [&] { log.add("other"); });
    IEventLoop::TimerId own = 0;
    own = loop.startTimer(10, [&] {
        log.add("tick");
        if (log.entries.size() == 1) {
            loop.post(0, [&] { log.add("posted by the tick"); });
            log.add("tick done");
        } else {
            loop.stopTimer(own);
            loop.stopTimer(other);  // due at 25: never runs
        }
    });
    loop.post(60, [&] { loop.quit(0); });
    loop.run();
    EXPECT_EQ(log.labels(), (std::vector<std::string>{"tick", "tick done", "posted by the tick", "tick"}));
}

TEST(WinEventLoop, ConsoleRequestsReachTheHandlerOnTheLoopThread) {
    // Under Wine the tests have no console to send Ctrl-C to, so the console handler's own path is
    // called, from a thread of its own as the system does.
    struct Case {
        DWORD control;
        bool withHandler;
        int status;
    };
    for (const Case& c :
         {Case{CTRL_C_EVENT, true, 7}, Case{CTRL_BREAK_EVENT, true, 7}, Case{CTRL_C_EVENT, false, 130}}) {
        WinEventLoop loop;
        const DWORD loopThread = GetCurrentThreadId();
        DWORD handlerThread = 0;
        if (c.withHandler) {
            loop.onTermination([&] {
                handlerThread = GetCurrentThreadId();
                loop.quit(7);
            });
        }
        bool taken = false;
        std::thread console;
        loop.post(0, [&] { console = std::thread([&] { taken = ConsoleTermination::handle(c.control); }); });
        loop.post(5000, [&] { loop.quit(-1); });
        EXPECT_EQ(loop.run(), c.status) << c.control;
        console.join();
        EXPECT_TRUE(taken);
        if (c.withHandler) {
            EXPECT_EQ(handlerThread, loopThread);
        }
    }
    // Without a loop the request goes on to the system's default.
    EXPECT_FALSE(ConsoleTermination::handle(CTRL_C_EVENT));
}

TEST(WinEventLoop, DrivesASerialPortThroughItsWakeEvent) {
    const char* name = std::getenv("ORVANE_TEST_COM_PORT");
    if (!name) GTEST_SKIP() << "needs a COM port served by the module simulator (scripts/wine-tests)";
    WinEventLoop loop;
    WinSerialPort port;
    ASSERT_TRUE(port.setDevicePath(name));
    std::string received;
    port.setReceiveHandler([&] {
        received += port.readAll();
        if (received.find('\r') != std::string::npos) loop.quit(0);
    });
    ASSERT_TRUE(port.open()) << port.lastErrorText();
    ASSERT_TRUE(loop.watch(port.wakeEvent(), [&] { port.pump(); }));
    loop.post(0, [&] { EXPECT_TRUE(port.send("/V\r")); });
    loop.post(5000, [&] { loop.quit(1); });
    EXPECT_EQ(loop.run(), 0) << received;
    EXPECT_TRUE(received.starts_with("*V T")) << received;
    loop.unwatch(port.wakeEvent());
}

}  // namespace
}  // namespace orvane::win
