// The module simulator program: serves a ModuleSim, or with --rig a Rig of modules that come and
// go, on a pseudo-terminal until SIGINT or SIGTERM. stdout carries only the device path (first
// line) and, with --dump-flash, the flash slots at exit, so scripts can read it; diagnostics and
// the --log trace go to stderr.

#include "tools/modsim/core/CommandLine.h"
#include "tools/modsim/core/ModuleSim.h"
#include "tools/modsim/core/Rig.h"
#include "tools/modsim/main/PseudoTerminal.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using orvane::modsim::ModuleSim;
using orvane::modsim::PseudoTerminal;
using orvane::modsim::Rig;
using orvane::modsim::RigEvent;
using orvane::modsim::SimOptions;
using orvane::modsim::SimOutput;

volatile std::sig_atomic_t g_stopRequested = 0;

// The rig's clock: milliseconds that only go forward.
std::int64_t nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + static_cast<std::int64_t>(now.tv_nsec) / 1000000;
}

// The wall clock, in milliseconds since 1970.
std::int64_t wallMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + static_cast<std::int64_t>(now.tv_nsec) / 1000000;
}

void onStopSignal(int) {
    g_stopRequested = 1;
}

// SIGINT and SIGTERM stay blocked except while the loop waits in ppoll(), so a signal can never
// slip in between the check of the flag and the wait.
sigset_t installSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    return waitMask;
}

class Server {
public:
    // Serves `sim`, or the modules on `rig` when that is given.
    Server(const SimOptions& options, ModuleSim& sim, Rig* rig, PseudoTerminal& pty, const sigset_t& waitMask)
        : m_options(options), m_sim(sim), m_rig(rig), m_pty(pty), m_waitMask(waitMask) {}

    // Serves until a stop signal, stdin EOF (if asked) or the close-after fault. Returns the exit
    // status.
    int run() {
        while (!g_stopRequested) {
            pollfd fds[2] = {{m_pty.masterFd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
            const nfds_t count = m_options.exitOnStdinEof ? 2 : 1;
            // A rig wakes the loop when its next module is due to go on or off.
            timespec timeout{};
            const timespec* wait = nullptr;
            if (m_rig != nullptr) {
                const std::int64_t now = nowMs();
                logEvents(m_rig->advance(now).events);
                if (const auto due = m_rig->nextEventMs()) {
                    const std::int64_t ms = std::max<std::int64_t>(*due - now, 0);
                    timeout = {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
                    wait = &timeout;
                }
            }
            if (ppoll(fds, count, wait, &m_waitMask) < 0) {
                if (errno == EINTR) continue;
                return report("poll");
            }
            if (count == 2 && (fds[1].revents & (POLLIN | POLLHUP)) != 0 && stdinEnded()) break;
            if ((fds[0].revents & POLLIN) != 0) {
                char buffer[512];
                const ssize_t got = read(m_pty.masterFd(), buffer, sizeof buffer);
                if (got < 0 && errno != EAGAIN && errno != EINTR) return report("read");
                if (got > 0 && !serve(std::string_view(buffer, static_cast<std::size_t>(got)))) break;
            } else if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0) {
                std::cerr << "modsim: pseudo-terminal failed\n";
                return 1;
            }
        }
        return 0;
    }

private:
    // Answers the bytes; false once the link has been dropped.
    bool serve(std::string_view bytes) {
        SimOutput out;
        const ModuleSim* module = &m_sim;
        if (m_rig != nullptr) {
            auto rigOut = m_rig->feed(bytes, nowMs());
            logEvents(rigOut.events);
            module = m_rig->moduleOn();
            if (module == nullptr) {
                if (m_options.log)
                    std::cerr << "modsim: rig empty, dropped " << orvane::modsim::printable(bytes) << '\n';
                return true;
            }
            out = std::move(rigOut.reply);
        } else {
            out = m_sim.feed(bytes);
        }
        if (m_options.log) {
            for (const auto& exchange : out.exchanges) {
                std::cerr << "modsim: > " << orvane::modsim::printable(exchange.command) << '\n';
                std::cerr << "modsim: < "
                          << (exchange.reply.empty() ? std::string("(no reply)")
                                                     : orvane::modsim::printable(exchange.reply))
                          << '\n';
            }
        }
        if (!out.chunks.empty() && m_options.delayMs > 0) pause(m_options.delayMs);
        for (std::size_t i = 0; i < out.chunks.size() && !g_stopRequested; ++i) {
            if (i > 0 && m_options.chunkPauseMs > 0 && module->config().faults.chunkSize > 0)
                pause(m_options.chunkPauseMs);
            send(out.chunks[i]);
        }
        if (out.dropLink) {
            // The last reply is still delivered: wait (at most a second) until the program has read
            // it, then vanish.
            if (!m_pty.waitUntilRead(1000) && m_options.log)
                std::cerr << "modsim: last reply not read before closing\n";
            m_pty.close();
            if (m_options.log)
                std::cerr << "modsim: link closed after " << module->commandCount() << " commands\n";
            return false;
        }
        return true;
    }

    // Each module put on or taken off, and when, in milliseconds since 1970 (so that a program on
    // the other end can time what it did against it).
    void logEvents(const std::vector<RigEvent>& events) const {
        if (!m_options.log) return;
        const auto toWall = wallMs() - nowMs();
        for (const RigEvent& event : events)
            std::cerr << "modsim: module " << orvane::modsim::serialText(event.serial)
                      << (event.on ? " on" : " off") << " at " << event.atMs + toWall << '\n';
    }

    // Writes all bytes; gives up on what is left when the device side stays full for a second
    // (nobody reading) or a stop signal arrives.
    void send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t put = write(m_pty.masterFd(), bytes.data(), bytes.size());
            if (put > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(put));
                continue;
            }
            if (put < 0 && errno == EINTR) continue;
            if (put < 0 && errno != EAGAIN) {
                std::cerr << "modsim: write: " << std::strerror(errno) << '\n';
                return;
            }
            pollfd fd{m_pty.masterFd(), POLLOUT, 0};
            const timespec timeout{1, 0};
            if (ppoll(&fd, 1, &timeout, &m_waitMask) <= 0 || g_stopRequested) {
                std::cerr << "modsim: device side not reading, " << bytes.size() << " bytes dropped\n";
                return;
            }
        }
    }

    // Sleeps, but wakes for a stop signal.
    void pause(int ms) const {
        const timespec duration{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
        ppoll(nullptr, 0, &duration, &m_waitMask);
    }

    static bool stdinEnded() {
        char buffer[256];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        return got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN);
    }

    static int report(const char* call) {
        std::cerr << "modsim: " << call << ": " << std::strerror(errno) << '\n';
        return 1;
    }

    const SimOptions& m_options;
    ModuleSim& m_sim;
    Rig* m_rig;
    PseudoTerminal& m_pty;
    sigset_t m_waitMask;
};

// Points `link` at the device; an old symlink there is replaced, anything else is left alone.
bool createLink(const std::string& link, const std::string& target) {
    struct stat info {};
    if (lstat(link.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            std::cerr << "modsim: " << link << " exists and is not a symlink\n";
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(target.c_str(), link.c_str()) != 0) {
        std::cerr << "modsim: symlink " << link << ": " << std::strerror(errno) << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = orvane::modsim::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "modsim: " << parsed.error << "\nTry 'modsim --help'.\n";
        return 2;
    }
    const SimOptions& options = parsed.options;
    if (options.help) {
        std::cout << orvane::modsim::usageText();
        return 0;
    }

    try {
        ModuleSim sim(options.config);
        std::optional<Rig> rig;
        if (!options.rig.empty())
            rig.emplace(options.config, options.rig, options.rigHoldMs, options.rigGapMs, nowMs());
        const sigset_t waitMask = installSignals();
        PseudoTerminal pty;
        if (!options.link.empty() && !createLink(options.link, pty.devicePath())) return 1;
        std::cout << pty.devicePath() << std::endl;
        if (options.log)
            std::cerr << "modsim: type " << sim.config().type << ", version " << sim.versionText()
                      << ", serving " << pty.devicePath() << '\n';

        const int status = Server(options, sim, rig ? &*rig : nullptr, pty, waitMask).run();
        pty.close();
        if (!options.link.empty()) unlink(options.link.c_str());
        if (options.dumpFlash) {
            if (rig) {
                for (const ModuleSim& module : rig->placed())
                    std::cout << orvane::modsim::rigDumpLine(module) << '\n';
            } else {
                for (int slot = 0; slot < ModuleSim::kSlotCount; ++slot)
                    std::cout << "slot " << slot << ": " << sim.flashSlotText(slot) << '\n';
            }
            std::cout.flush();
        }
        return status;
    } catch (const std::invalid_argument& e) {
        std::cerr << "modsim: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "modsim: " << e.what() << '\n';
        return 1;
    }
}
