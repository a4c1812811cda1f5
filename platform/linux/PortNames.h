#pragma once

#include "core/platform/ISerialPort.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::linux_ports {

// A serial device as the platform lists it, before it has a port number.
struct SerialDevice {
    std::string device;       // "/dev/ttyUSB0"
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

// The fixed number of a device, or nothing when the device has none: /dev/ttyS0-3 are 1-4,
// /dev/ttyUSB0-5 are 5-10, /dev/ttyACM0-5 are 11-16.
std::optional<int> fixedPortNumber(std::string_view device);

// The fixed order in which devices without a fixed number get theirs: by device name without its
// trailing digits, then the trailing number, then the whole name ("/dev/ttyUSB9" before
// "/dev/ttyUSB10").
bool comesBefore(std::string_view a, std::string_view b);

}  // namespace orvane::linux_ports
