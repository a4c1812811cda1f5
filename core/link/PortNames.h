#pragma once

#include "core/platform/ISerialPort.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A serial device as the platform lists it, before it has a port number.
struct SerialDevice {
    std::string device;       // "/dev/ttyUSB0" on Linux, "COM3" (or "\\.\COM3") on Windows
    std::string description;  // may be empty
};

// Port numbers run from 1 to 255, like the settings file and the technicians expect.
inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 255;
// Devices without a fixed number are numbered from here on.
inline constexpr int kFirstFreePortNumber = 17;

// The number of a "COMn" text: "COM" followed by 1 to 255 in decimal without leading zeros
// ("COM1", "COM12"). Case-sensitive; anything else has no number.
std::optional<int> comPortNumber(std::string_view text);

// "COM" followed by the number: the name the port list shows.
std::string comPortName(int number);

// The fixed number of a device, or nothing when the device has none: on Linux /dev/ttyS0-3 are
// 1-4, /dev/ttyUSB0-5 are 5-10, /dev/ttyACM0-5 are 11-16; a device whose last path component is a
// "COMn" name (Windows) keeps n.
std::optional<int> fixedPortNumber(std::string_view device);

// Gives every device its port number: the fixed one where there is one, then 17 and up for the
// rest in the order of (device name without its trailing digits, trailing number, device name), so
// the same set of devices always gets the same names. A device that finds no free number up to 255,
// or whose fixed number another device already took, is numbered with the rest or left out when
// none is left. The result is in ascending order of number.
std::vector<PortEntry> numberPorts(const std::vector<SerialDevice>& devices);

}  // namespace orvane
