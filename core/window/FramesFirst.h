#pragma once

#include "core/window/Control.h"

#include <map>
#include <vector>

namespace orvane {

// How a view builds its controls from the model, the same for every toolkit: each present control
// in the model's order, inside the view of its frame (a control without a frame, inside
// `window`). Frames come first in the model's list, so a frame is built before its controls. A
// control whose frame has no view (absent, or built as nothing) is left out with it.
//
// `make(control, parent)` builds one control inside `parent` and returns its view, or an empty
// View (nullptr) for a kind that has none; a frame's view is the parent of its controls.
template <class View, class Make>
void buildFramesFirst(const std::vector<Control*>& controls, View window, Make&& make) {
    std::map<const Control*, View> frames;
    for (Control* control : controls) {
        if (!control->present) continue;
        View parent = window;
        if (control->parent) {
            const auto frame = frames.find(control->parent);
            if (frame == frames.end()) continue;
            parent = frame->second;
        }
        const View made = make(*control, parent);
        if (made && control->kind() == Kind::Frame) frames[control] = made;
    }
}

}  // namespace orvane
