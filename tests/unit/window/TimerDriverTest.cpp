// The window's timers on an event loop, in virtual time (the view tests run the same driver on
// Qt's loop, with a tolerance).
#include "core/window/TimerDriver.h"
#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::test {
namespace {

TEST(TimerDriver, FollowsTheModelTimersOnceStarted) {
    VirtualClock loop;
    Form1 form;
    for (Timer* timer : form.timers())
        timer->setTimerEnabled(false);
    std::vector<std::string> ticks;
    for (Timer* timer : {&form.IntervalTimer, &form.TestTimer, &form.ReadAllTimer}) {
        timer->name = timer == &form.IntervalTimer ? "I" : timer == &form.TestTimer ? "T" : "R";
        timer->onTick = [&ticks, &loop, timer] { ticks.push_back(timer->name + std::to_string(loop.now())); };
    }
    form.IntervalTimer.setInterval(50);
    form.IntervalTimer.setTimerEnabled(true);
    form.TestTimer.setInterval(200);
    TimerDriver driver(form, loop);
    loop.advance(100);
    EXPECT_TRUE(ticks.empty());  // nothing runs before start()

    driver.start();
    loop.advance(100);  // 200
    form.TestTimer.setTimerEnabled(true);
    loop.advance(100);  // 300: the test timer's count restarts with its new interval
    form.TestTimer.setInterval(150);
    form.IntervalTimer.setInterval(0);  // a zero interval never ticks
    loop.advance(200);                  // 500
    form.TestTimer.setTimerEnabled(false);
    // Disabled inside its own tick, a timer does not tick again.
    form.ReadAllTimer.onTick = [&] {
        ticks.push_back("R" + std::to_string(loop.now()));
        form.ReadAllTimer.setTimerEnabled(false);
    };
    form.ReadAllTimer.setInterval(10);
    form.ReadAllTimer.setTimerEnabled(true);
    loop.advance(500);
    EXPECT_EQ(ticks, (std::vector<std::string>{"I150", "I200", "I250", "I300", "T450", "R510"}));
}

TEST(TimerDriver, StopsItsLoopTimersWithIt) {
    VirtualClock loop;
    Form1 form;
    int ticks = 0;
    form.IntervalTimer.onTick = [&ticks] { ++ticks; };
    form.IntervalTimer.setInterval(50);
    form.IntervalTimer.setTimerEnabled(true);
    {
        TimerDriver driver(form, loop);
        driver.start();
        loop.advance(100);
    }
    loop.advance(100);
    form.IntervalTimer.setInterval(20);  // the model timer outlives the driver: nothing happens
    loop.advance(100);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace orvane::test
