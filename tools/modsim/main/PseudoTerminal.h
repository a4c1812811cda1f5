#pragma once

#include <string>

namespace orvane::modsim {

// A pseudo-terminal pair in raw mode. The simulator talks through the master side; it also keeps
// the device (slave) side open, so that its reads keep working while the program under test has
// the device closed. Closes both on destruction.
class PseudoTerminal {
public:
    // Throws std::runtime_error naming the failing call.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The device path the program under test opens ("/dev/pts/N").
    const std::string& devicePath() const { return m_devicePath; }
    // Non-blocking master descriptor; -1 after close().
    int masterFd() const { return m_master; }
    // Waits until the program has read everything sent to it, at most timeoutMs. False on timeout.
    bool waitUntilRead(int timeoutMs) const;
    // Closes both sides: to the program it looks as if the adapter was pulled.
    void close();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_devicePath;
};

}  // namespace orvane::modsim
