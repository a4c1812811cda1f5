#pragma once

// The whole orvane command in virtual time, for the behaviour tests: fake serial ports with fake
// modules (or rigs of them) on them, the virtual clock as the event loop, files in a test folder.
#include "apps/orvane/Orvane.h"
#include "core/files/DiskFileSystem.h"
#include "core/files/TextFile.h"
#include "platform/linux/LinuxPortNaming.h"
#include "tests/support/FakeModule.h"
#include "tests/support/Fakes.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::test {

inline const std::string kFreq = "--freq 869.9250,869.8000,868.3000,869.7500";

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

inline bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A module of a rig list with its serial number and, where given, its faults.
inline modsim::RigModule unit(unsigned serial, void (*fault)(modsim::SimFaults&) = nullptr) {
    modsim::RigModule module{serial, {}};
    if (fault) fault(module.faults);
    return module;
}

// The command hands its ports back when it ends; the test keeps the fake behind each.
class PortHandle : public ISerialPort {
public:
    explicit PortHandle(FakeSerialPort& port) : m_port(port) {}
    std::vector<PortEntry> enumeratePorts() override { return m_port.enumeratePorts(); }
    bool setPortNumber(int number) override { return m_port.setPortNumber(number); }
    int portNumber() const override { return m_port.portNumber(); }
    bool setDevicePath(const std::string& path) override { return m_port.setDevicePath(path); }
    bool open() override { return m_port.open(); }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    bool setDtr(bool on) override { return m_port.setDtr(on); }
    bool setRts(bool on) override { return m_port.setRts(on); }
    std::string settings() const override { return m_port.settings(); }
    bool send(std::string_view bytes) override { return m_port.send(bytes); }
    std::string readAll() override { return m_port.readAll(); }
    void setReceiveHandler(std::function<void()> handler) override {
        m_port.setReceiveHandler(std::move(handler));
    }
    void setLostHandler(std::function<void()> handler) override { m_port.setLostHandler(std::move(handler)); }
    std::string lastErrorText() const override { return m_port.lastErrorText(); }

private:
    FakeSerialPort& m_port;
};

// The command with a fake serial port per rig ("COM1", "COM2", ... in the order they are added),
// each with a fake module (or a rig of them) of the program's type on it.
class Line {
public:
    explicit Line(Program which) : m_which(which) {}

    FakeModule& module(modsim::SimConfig config = {}, char moduleType = 0) {
        config.type = moduleType ? moduleType : type();
        return add([&](FakeSerialPort& port) { return std::make_unique<FakeModule>(port, clock, config); });
    }
    FakeModule& rig(const std::vector<modsim::RigModule>& units, int holdMs = 3000, int gapMs = 500) {
        modsim::SimConfig config;
        config.type = type();
        return add([&](FakeSerialPort& port) {
            return std::make_unique<FakeModule>(port, clock, modsim::Rig(config, units, holdMs, gapMs, 0));
        });
    }

    // "orvane COMMAND --module M" with a --port for every module added, then the arguments.
    Ran run(const std::string& command, const std::string& arguments, bool ports = true) {
        std::string line =
            command + " --module " + (m_which == Program::Quorvex ? "transmitter" : "receiver");
        for (std::size_t i = 0; ports && i < m_ports.size(); ++i)
            line += " --port COM" + std::to_string(i + 1);
        return orvane(line + " " + arguments);
    }
    Ran orvane(const std::string& line) {
        std::ostringstream out;
        std::ostringstream err;
        std::size_t next = 0;
        cli::PlatformKit kit{
            clock,
            wallClock,
            disk,
            naming,
            [this, &next]() -> std::unique_ptr<ISerialPort> {
                if (makePort) return makePort();
                if (next == m_ports.size()) spare();
                return std::make_unique<PortHandle>(*m_ports[next++]);
            },
            [] { return std::string("2026-12-07T10:20:30.000Z"); },
            liveProgress,
            [this](const std::string& name) {
                // The station's ledger is the test folder's.
                return name == "ORVANE_LEDGER" ? std::optional<std::string>(path("ledger.db")) : std::nullopt;
            }};
        kit.hostName = "station-1";
        const int status = cli::runOrvane(words(line), out, err, kit);
        return {status, out.str(), err.str()};
    }

    std::string path(const std::string& name) const { return folder.str() + "/" + name; }
    std::string text(const std::string& name) const { return files::readWholeFile(path(name)).value_or(""); }
    FakeSerialPort& port(std::size_t i) { return *m_ports.at(i); }
    std::size_t portCount() const { return m_ports.size(); }

private:
    // First, so that it goes last: the modules let go of their ports when they go.
    std::vector<std::unique_ptr<FakeSerialPort>> m_ports;

public:
    VirtualClock clock;
    TempFolder folder;
    FakeClock wallClock;
    files::DiskFileSystem disk;
    linux_ports::LinuxPortNaming naming;
    bool liveProgress = false;
    // The command's serial ports, when the test makes them itself.
    std::function<std::unique_ptr<ISerialPort>()> makePort;
    std::vector<std::unique_ptr<FakeModule>> modules;

private:
    char type() const { return m_which == Program::Quorvex ? 'T' : 'R'; }
    FakeSerialPort& spare() {
        auto port = std::make_unique<FakeSerialPort>();
        for (int n = 1; n <= 8; ++n)
            port->ports.push_back({n, "/dev/ttyS" + std::to_string(n), ""});
        port->now = [this] { return static_cast<long long>(clock.now()); };
        port->post = [this](std::function<void()> event) { clock.after(0, std::move(event)); };
        m_ports.push_back(std::move(port));
        return *m_ports.back();
    }
    template <class Make>
    FakeModule& add(Make make) {
        modules.push_back(make(spare()));
        return *modules.back();
    }

    Program m_which;
};

}  // namespace orvane::test
