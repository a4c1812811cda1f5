#pragma once

#include <string>

namespace orvane::win {

// The system's own text for a Windows error code (GetLastError), in one line without the trailing
// full stop and line break; "Windows error N" when the system has none.
std::string systemErrorText(unsigned long code);

// Why opening a serial port failed, in plain words for the technician: a missing port and one held
// by another program are told apart, anything else is the system's text.
std::string openErrorText(unsigned long code);

}  // namespace orvane::win
