#pragma once

#include <string>
#include <string_view>

namespace orvane {

// What a port text (the port box's, or a command's --port) names on this platform.
struct PortChoice {
    enum class Kind {
        None,    // nothing this platform opens
        Number,  // "COMn": the port of that number
        Device,  // a device opened directly (a device path on Linux)
    };
    Kind kind = Kind::None;
    int number = 0;
    std::string device;
};

// How a platform names its serial ports: the "COMn" names the port list shows and the settings
// file keeps, and the other texts that reach a device.
class IPortNaming {
public:
    virtual ~IPortNaming() = default;
    // The port a text names, by the platform's own spelling.
    virtual PortChoice parse(std::string_view text) const = 0;
    // The name the port list shows for a port number: "COM5".
    virtual std::string name(int number) const = 0;
    // Whether a device named directly is there now (a typed path that names nothing is not).
    virtual bool deviceExists(const std::string& device) const = 0;
};

}  // namespace orvane
