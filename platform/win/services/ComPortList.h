#pragma once

#include "core/platform/ISerialPort.h"

#include <string>
#include <vector>

namespace orvane::win {

// The serial ports of the system: the "COMn" names that Windows lists under
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, ascending by number, each with the description SetupAPI has
// for its device ("" when none).
std::vector<PortEntry> listComPorts();

// The ports named by the string values of an open registry key (a HKEY) laid out like SERIALCOMM,
// ascending by number, without descriptions. Values that name no COM port are left out, and a
// number is listed once.
std::vector<PortEntry> comPortsOfKey(void* key);

}  // namespace orvane::win
