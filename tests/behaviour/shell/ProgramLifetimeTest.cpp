// Where a program's window stands after start-up, and shut-down running once.
#include "core/shell/ProgramLifetime.h"
#include "core/window/WindowDescription.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace orvane::test {
namespace {

struct PlaceCase {
    const char* name;
    std::optional<std::string> settings;  // nullopt: no settings file
    int screenWidth, screenHeight;
    int top, left;  // -1: centred on the screen
};

// Where start-up puts the window, and the preview a view shows before start-up runs: the same
// caption, place and size, worked out without creating the settings file.
TEST(ProgramLifetime, CentresOnlyWhatTheSettingsLeaveUnplaced) {
    const PlaceCase cases[] = {
        {"no settings file: centred", std::nullopt, 28800, 16200, -1, -1},
        {"empty settings: centred", "", 28800, 16200, -1, -1},
        {"TOP only: left centred", "TOP  ,1800,c\r\n", 28800, 16200, 1800, -1},
        {"both set: kept", "TOP  ,0,c\r\nLEFT ,0,c\r\n", 28800, 16200, 0, 0},
        {"debug mode: wider, placed", "DEBUG,ON,c\r\nLEFT ,28000,c\r\n", 28800, 16200, -1,
         28800 - kDebugWindowWidth},
        {"screen smaller than the window: corner", "", 600, 600, 0, 0},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram p(Program::Quorvex);
        p.screen.width = c.screenWidth;
        p.screen.height = c.screenHeight;
        if (c.settings) writeBytes(settingsPath(p), *c.settings);
        ProgramLifetime lifetime(*p.app, p.screen);
        Window preview;
        lifetime.preview(preview);
        EXPECT_EQ(std::filesystem::exists(settingsPath(p)), c.settings.has_value());
        lifetime.load();
        const Window& w = p.form().form;
        EXPECT_EQ(w.top(), c.top >= 0 ? c.top : (c.screenHeight - w.height()) / 2);
        EXPECT_EQ(w.left(), c.left >= 0 ? c.left : (c.screenWidth - w.width()) / 2);
        EXPECT_EQ(preview.geometry(), w.geometry());
        EXPECT_EQ(preview.caption(), w.caption());
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
