#pragma once

#include "core/platform/ISerialPort.h"
#include "platform/linux/PortNames.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::linux_ports {

// The port numbers of the serial devices for the life of the process. A device keeps the number
// it was first given, also while it is unplugged, and a number once given to a device is never
// given to another, so a "COMn" name always means the device it meant when it was listed: a device
// that appears or vanishes later never shifts the names of the others.
class PortNumbering {
public:
    // The devices present with their numbers, ascending. A device seen before keeps its number; a
    // new one gets its fixed number (fixedPortNumber) when that is still free, otherwise the
    // lowest free number from 17 up, new devices taken in the order of comesBefore. A device for
    // which no number up to 255 is left is not listed. Each device is listed once.
    std::vector<PortEntry> number(const std::vector<SerialDevice>& devices);

    // The device a number was given to, present or not; nothing when it was never given.
    std::optional<std::string> deviceOf(int number) const;

private:
    void bind(int number, const std::string& device);

    std::map<std::string, int> m_numberOf;
    std::map<int, std::string> m_deviceOf;
};

}  // namespace orvane::linux_ports
