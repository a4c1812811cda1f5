#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

// The virtual clock stands in for the event loop in every behaviour test, so its own timing rules
// are pinned down here: time order, restart on re-arm, timers started from inside a callback.
TEST(VirtualClock, FiresTimersAndEventsInTimeOrder) {
    VirtualClock clock;
    Timer fast, slow;
    fast.setInterval(50);
    slow.setInterval(200);
    std::vector<std::string> log;
    fast.onTick = [&] { log.push_back("f" + std::to_string(clock.now())); };
    slow.onTick = [&] { log.push_back("s" + std::to_string(clock.now())); };
    clock.attach(fast);
    clock.attach(slow);
    clock.at(120, [&] { log.push_back("e120"); });
    clock.advance(200);
    // At 200 both are due: the one armed earlier (slow, at 0) before the one re-armed at 150.
    EXPECT_EQ(log, (std::vector<std::string>{"f50", "f100", "e120", "f150", "s200", "f200"}));
}

TEST(VirtualClock, RearmingRestartsTheCountAndDisablingStops) {
    VirtualClock clock;
    Timer t;
    t.setTimerEnabled(false);
    t.setInterval(50);
    std::vector<long long> ticks;
    t.onTick = [&] {
        ticks.push_back(clock.now());
        if (ticks.size() == 1) t.setInterval(208);  // the next tick comes one new interval later
        if (ticks.size() == 3) t.setTimerEnabled(false);
    };
    clock.attach(t);
    clock.at(10, [&] { t.setTimerEnabled(true); });  // enabled from inside a callback
    clock.advance(2000);
    EXPECT_EQ(ticks, (std::vector<long long>{60, 268, 476}));
}

TEST(VirtualClock, ReArmBeforeDueDelaysTheTick) {
    VirtualClock clock;
    Timer t;
    t.setInterval(100);
    int ticks = 0;
    t.onTick = [&] { ++ticks; };
    clock.attach(t);
    clock.advance(90);
    t.setInterval(100);
    clock.advance(90);
    EXPECT_EQ(ticks, 0);
    clock.advance(10);
    EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace orvane::test
