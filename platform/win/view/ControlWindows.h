#pragma once

#include "core/window/Control.h"

#include <windows.h>

namespace orvane::win {

// Makes the native child window of a model control: a window of the class with WS_CHILD, the
// style given, and WS_VISIBLE while the model control is visible; placed and filled in later.
// WS_CLIPSIBLINGS: where two controls overlap (a caption reaching under the box beside it), the
// one made first shows.
HWND makeChild(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const Control& control);

// Makes a window pass the notifications, colour requests and owner-draw requests of its child
// controls (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) on to its top-level window, where the
// view handles them: a group box that holds controls does nothing with them itself. The window's
// ground is painted in the dialog colour, as a group box does not paint its own.
void forwardToTopLevel(HWND window);

}  // namespace orvane::win
