#include "platform/linux/LinuxPortNaming.h"

#include "platform/linux/PortNames.h"

#include <filesystem>
#include <system_error>

namespace orvane::linux_ports {

PortChoice LinuxPortNaming::parse(std::string_view text) const {
    PortChoice choice;
    if (const auto number = comPortNumber(text)) {
        choice.kind = PortChoice::Kind::Number;
        choice.number = *number;
    } else if (text.starts_with("/")) {
        choice.kind = PortChoice::Kind::Device;
        choice.device = std::string(text);
    }
    return choice;
}

std::string LinuxPortNaming::name(int number) const {
    return comPortName(number);
}

bool LinuxPortNaming::deviceExists(const std::string& device) const {
    std::error_code error;
    return std::filesystem::exists(device, error);
}

}  // namespace orvane::linux_ports
