#pragma once

#include "core/window/Control.h"

#include <string>

namespace orvane {

class Form1;

// Makes a control present in the window: its name, frame, position (twips) and caption.
void place(Control& control, const std::string& name, Control* frame, Rect geometry,
           const std::string& caption = {});

// Describes the design state of the window the two programs share: every control with its name,
// frame, position, caption, colours and initial state. Each program then adds what differs (frame
// names, a few positions and its debug frame).
void describeCommonWindow(Form1& form, const std::string& caption);

// Row top of channel ch in the channel table: Ch3 at the top, Ch0 at the bottom.
int channelRowTop(int ch);

}  // namespace orvane
