#pragma once

#include "platform/win/services/TextConvert.h"
#include "platform/win/view/WinWindowView.h"
#include "tests/support/TestProgram.h"
#include "tests/viewcases/WindowCases.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <windows.h>

namespace orvane::test {

// A window's text as UTF-8.
inline std::string textOf(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return win::narrow(text);
}

// One program after start-up with its Windows window built at 96 dpi (not shown unless a test
// shows it); the virtual clock drives the model's timers, so nothing ticks unless a test advances
// it.
class WinViewFixture {
public:
    explicit WinViewFixture(Program which) : program(which) {
        program.start();
        view = std::make_unique<win::WinWindowView>(program.form(), 96, [this] { ++closes; });
    }
    // Built as the programs build it: the window shown from the preview, then start-up, then the
    // controls. `titleInStartUp` is what the window's title bar said while start-up ran.
    struct ShownFirst {};
    WinViewFixture(Program which, ShownFirst) : program(which) {
        program.startShownFirst([this](const Window& preview, const std::function<void()>& startUp) {
            view = std::make_unique<win::WinWindowView>(
                program.form(), 96, [this] { ++closes; }, std::function<void()>{}, preview,
                [&] {
                    titleInStartUp = textOf(FindWindowW(L"OrvaneWindow", nullptr));
                    startUp();
                });
        });
    }

    // The native control of a model control; fails the test when it has none.
    HWND control(const std::string& name) const {
        HWND hwnd = view->control(name);
        EXPECT_NE(hwnd, nullptr) << name;
        return hwnd;
    }

    TestProgram program;
    int closes = 0;
    std::string titleInStartUp;
    std::unique_ptr<win::WinWindowView> view;
};

// A window's place in its parent's client area, in pixels.
inline Pixels placeOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline bool operator==(const Pixels& a, const Pixels& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

inline std::ostream& operator<<(std::ostream& out, const Pixels& p) {
    return out << p.x << "," << p.y << " " << p.width << "x" << p.height;
}

}  // namespace orvane::test
