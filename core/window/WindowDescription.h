#pragma once

#include "core/window/Control.h"
#include "core/window/Profile.h"

#include <string>

namespace orvane {

class Form1;

// Makes a control present in the window: its name, frame, position (twips) and caption.
void place(Control& control, const std::string& name, Control* frame, Rect geometry,
           const std::string& caption = {});

// Describes the design state of the window the two programs share: every control with its name,
// frame, position, caption, colours and initial state. The debug frame's boxes are placed by the
// program's layout.
void describeCommonWindow(Form1& form, const std::string& caption);

// The design state of a program's window: the shared description with the program's layout
// applied (its patches, matched against the names of the shared description, and its debug
// frame).
void describeWindow(Form1& form, const WindowLayout& layout);

// Row top of channel ch in the channel table: Ch3 at the top, Ch0 at the bottom.
int channelRowTop(int ch);

}  // namespace orvane
