#pragma once

#include "core/window/Control.h"
#include "core/window/Profile.h"

#include <string>

namespace orvane {

class Form1;

// The window's measures in twips (1/1440 inch) that start-up and the settings switch between. The
// four working frames fill the normal window; debug mode widens it so that the debug frame, kept
// out of sight to the left otherwise, shows beside them.
inline constexpr int kWindowWidth = 6060;
inline constexpr int kWindowHeight = 7830;
inline constexpr int kDebugWindowWidth = 12300;
inline constexpr int kDebugFrameLeft = 6120;
inline constexpr int kDebugFrameHiddenLeft = -6000;
// The register grid's columns: the register titles, then one per channel.
inline constexpr int kGridTitleColumnWidth = 1200;
inline constexpr int kGridChannelColumnWidth = 990;

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
