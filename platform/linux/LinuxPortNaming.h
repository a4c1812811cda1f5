#pragma once

#include "core/platform/IPortNaming.h"

namespace orvane::linux_ports {

// Port names on Linux: "COM1" to "COM255", exactly so spelt, name the numbers the port list gives
// the serial devices; a text that begins with "/" is a device path opened directly.
class LinuxPortNaming : public IPortNaming {
public:
    PortChoice parse(std::string_view text) const override;
    std::string name(int number) const override;
    bool deviceExists(const std::string& device) const override;
};

}  // namespace orvane::linux_ports
