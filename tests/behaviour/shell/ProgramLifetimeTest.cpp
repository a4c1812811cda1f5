// Where a program's window stands after start-up, and shut-down running once.
#include "core/shell/ProgramLifetime.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::test {
namespace {

struct PlaceCase {
    const char* name;
    std::string settings;
    int screenWidth, screenHeight;
    int top, left;  // -1: centred on the screen
};

TEST(ProgramLifetime, CentresOnlyWhatTheSettingsLeaveUnplaced) {
    const PlaceCase cases[] = {
        {"no settings: centred", "", 28800, 16200, -1, -1},
        {"TOP only: left centred", "TOP  ,1800,c\r\n", 28800, 16200, 1800, -1},
        {"both set: kept", "TOP  ,0,c\r\nLEFT ,0,c\r\n", 28800, 16200, 0, 0},
        {"screen smaller than the window: corner", "", 600, 600, 0, 0},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram p(Program::Quorvex);
        p.screen.width = c.screenWidth;
        p.screen.height = c.screenHeight;
        writeBytes(settingsPath(p), c.settings);
        ProgramLifetime lifetime(*p.app, p.screen);
        lifetime.load();
        const Window& w = p.form().form;
        EXPECT_EQ(w.top(), c.top >= 0 ? c.top : (c.screenHeight - w.height()) / 2);
        EXPECT_EQ(w.left(), c.left >= 0 ? c.left : (c.screenWidth - w.width()) / 2);
    }
}

TEST(ProgramLifetime, UnloadsOnceWhenAskedTwice) {
    TestProgram p(Program::Brelund);
    ProgramLifetime lifetime(*p.app, p.screen);
    lifetime.load();
    lifetime.unload();
    writeBytes(settingsPath(p), "marker");
    lifetime.unload();  // the session ending after the window closed
    EXPECT_EQ(readBytes(settingsPath(p)), "marker");
}

}  // namespace
}  // namespace orvane::test
