#pragma once

#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"
#include "core/platform/IPortNaming.h"
#include "core/platform/ISerialPort.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane::cli {

// Every serial port the system lists, by the name the port list gives it, and whether it can be
// opened now (it is closed again at once).
std::vector<PortStatus> listPorts(ISerialPort& port, const IPortNaming& naming);

// Asks every port that opens which module answers there: Get Info. as each program's module in
// turn, the next one only where the one before found the other type. One session per program,
// each with a port of its own; they take turns.
class PortProbe {
public:
    struct Program {
        std::string moduleName;  // "transmitter"
        Session& session;
    };

    PortProbe(std::vector<PortStatus> ports, std::vector<Program> programs,
              std::function<void(const std::vector<PortStatus>&)> done);
    void start();
    // Ends the probe with what it has found so far.
    void interrupt();

private:
    void next();
    void ask(std::size_t program);

    std::vector<PortStatus> m_ports;
    std::vector<Program> m_programs;
    std::function<void(const std::vector<PortStatus>&)> m_done;
    std::size_t m_port = 0;
    bool m_ended = false;
};

}  // namespace orvane::cli
