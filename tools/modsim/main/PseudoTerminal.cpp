#include "tools/modsim/main/PseudoTerminal.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace orvane::modsim {

namespace {

[[noreturn]] void fail(const std::string& call) {
    throw std::runtime_error(call + ": " + std::strerror(errno));
}

void makeRaw(int fd, const char* side) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) fail(std::string("tcgetattr ") + side);
    cfmakeraw(&settings);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) fail(std::string("tcsetattr ") + side);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) fail("posix_openpt");
    try {
        if (grantpt(m_master) != 0) fail("grantpt");
        if (unlockpt(m_master) != 0) fail("unlockpt");
        const char* name = ptsname(m_master);
        if (name == nullptr) fail("ptsname");
        m_devicePath = name;
        m_slave = ::open(m_devicePath.c_str(), O_RDWR | O_NOCTTY);
        if (m_slave < 0) fail("open " + m_devicePath);
        makeRaw(m_master, "master");
        makeRaw(m_slave, "device");
        const int flags = fcntl(m_master, F_GETFL);
        if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) fail("fcntl");
    } catch (...) {
        close();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

bool PseudoTerminal::waitUntilRead(int timeoutMs) const {
    // Our own descriptor on the device side sees the same input queue as the program's. Bytes
    // written to the master reach that queue a moment later, so an empty queue right after the
    // write proves nothing: the queue must be seen empty twice, some milliseconds apart.
    constexpr int kStepMs = 5;
    constexpr int kSettleMs = 20;
    int emptyFor = 0;
    for (int waited = 0; m_slave >= 0 && waited <= timeoutMs; waited += kStepMs) {
        int pending = 0;
        if (ioctl(m_slave, FIONREAD, &pending) != 0) return true;
        emptyFor = pending == 0 ? emptyFor + kStepMs : 0;
        if (emptyFor > kSettleMs) return true;
        usleep(kStepMs * 1000);
    }
    return m_slave < 0;
}

void PseudoTerminal::close() {
    if (m_master >= 0) ::close(m_master);
    if (m_slave >= 0) ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

}  // namespace orvane::modsim
