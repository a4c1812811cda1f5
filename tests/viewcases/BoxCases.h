#pragma once

// How a channel box answers the keys and the wheel, as one table for both views: the Qt view
// (tests/qtview/ViewBindingTest.cpp) and the Windows view (tests/win/WinViewBindingTest.cpp) type the
// text into Quorvex's box, check the list's current item, move, and check the result.

#include "core/window/Control.h"

#include <vector>

namespace orvane::test {

enum class BoxMove { Down, Up, PageDown, PageUp, WheelAway, WheelToward };

struct BoxCase {
    const char* text;   // typed into the box first
    bool onItem;        // the list's current item is the typed text's (else none)
    BoxMove move;       // then made with the focus in the box
    const char* after;  // the text afterwards, which is also the current item's unless onItem is
                        // false and the text stayed
    Color color;        // the box's colour afterwards: the change ran the entry's validation
};

inline constexpr const char* kKeyBox = "ChFrequency(3)";

inline const std::vector<BoxCase> kBoxCases{
    {"869.7500", true, BoxMove::Down, "869.7625", kSystemWindowColor},
    {"868.3000", true, BoxMove::Up, "868.2875", kSystemWindowColor},
    {"868.31", false, BoxMove::Down, "868.3125", kSystemWindowColor},
    {"868.31", false, BoxMove::Up, "868.3000", kSystemWindowColor},
    {"868.3000", true, BoxMove::PageDown, "868.3875", kSystemWindowColor},
    {"868.1000", true, BoxMove::PageUp, "868.0500", kSystemWindowColor},
    {"abc", false, BoxMove::Down, "abc", kColorYellow},
    {"869.7500", true, BoxMove::WheelToward, "869.7625", kSystemWindowColor},
    {"869.7500", true, BoxMove::WheelAway, "869.7375", kSystemWindowColor},
};

}  // namespace orvane::test
