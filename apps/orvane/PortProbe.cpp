#include "apps/orvane/PortProbe.h"

namespace orvane::cli {

std::vector<PortStatus> listPorts(ISerialPort& port, const IPortNaming& naming) {
    std::vector<PortStatus> ports;
    for (const PortEntry& entry : port.enumeratePorts()) {
        PortStatus status;
        status.name = naming.name(entry.number);
        status.device = entry.device;
        status.description = entry.description;
        port.setPortNumber(entry.number);
        status.available = port.open();
        if (status.available)
            port.close();
        else
            status.reason = port.lastErrorText();
        ports.push_back(status);
    }
    return ports;
}

PortProbe::PortProbe(std::vector<PortStatus> ports, std::vector<Program> programs,
                     std::function<void(const std::vector<PortStatus>&)> done)
    : m_ports(std::move(ports)), m_programs(std::move(programs)), m_done(std::move(done)) {}

void PortProbe::start() {
    m_port = 0;
    next();
}

void PortProbe::next() {
    while (m_port < m_ports.size() && !m_ports[m_port].available)
        ++m_port;
    if (m_port == m_ports.size()) {
        interrupt();
        return;
    }
    m_ports[m_port].probed = true;
    ask(0);
}

void PortProbe::ask(std::size_t program) {
    if (m_ended) return;
    PortStatus& status = m_ports[m_port];
    Session& session = m_programs[program].session;
    if (session.open(status.name)) {
        ++m_port;
        next();
        return;
    }
    session.run(ExchangeKind::GetInfo, -1, [this, program, &session](const StepResult& info) {
        session.close();
        if (m_ended) return;
        PortStatus& probed = m_ports[m_port];
        const Outcome& o = info.outcome;
        if (o.passed()) {
            probed.module = m_programs[program].moduleName;
            probed.serial = o.serial;
            probed.version = o.version;
        } else if (o.kind == OutcomeKind::WrongModuleType && program + 1 < m_programs.size()) {
            ask(program + 1);
            return;
        }
        ++m_port;
        next();
    });
}

void PortProbe::interrupt() {
    if (m_ended) return;
    m_ended = true;
    for (Program& program : m_programs)
        program.session.abort();
    m_done(m_ports);
}

}  // namespace orvane::cli
