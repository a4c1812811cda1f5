#pragma once

#include "core/platform/IScreen.h"
#include "core/shell/App.h"

namespace orvane {

// A program's window from its start to its end, as every platform runs it: start-up, a window the
// settings file did not place centred on the screen, and shut-down exactly once (the window
// closing and the session ending may both ask for it).
class ProgramLifetime {
public:
    ProgramLifetime(App& app, const IScreen& screen) : m_app(app), m_screen(screen) {}

    void load();
    void unload();
    // The caption, place and size load() will give the window, worked out without running it
    // (see App::previewWindow), into `window`.
    void preview(Window& window) const;

private:
    // A window whose position start-up did not set stands centred on the screen, where new
    // windows commonly appear.
    void placeUnplaced(Window& window) const;

    App& m_app;
    const IScreen& m_screen;
    bool m_unloaded = false;
};

}  // namespace orvane
