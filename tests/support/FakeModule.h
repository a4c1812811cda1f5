#pragma once

#include "tests/support/TestProgram.h"
#include "tools/modsim/core/ModuleSim.h"
#include "tools/modsim/core/Rig.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::test {

// A radio module in the same process: every write the program makes to the fake port is fed to a
// protocol simulator, and the reply comes back through the virtual clock after a delay, one
// chunk per millisecond. When the simulator drops the link (close-after fault), the port closes
// after the last reply, as a device that disappears.
class FakeModule {
public:
    using Millis = VirtualClock::Millis;

    // A module of the program's own type ('T' for the transmitter program, 'R' for the receiver).
    explicit FakeModule(TestProgram& program);
    FakeModule(TestProgram& program, modsim::SimConfig config);
    // A module on a port of its own, answering on that clock.
    FakeModule(FakeSerialPort& port, VirtualClock& clock, modsim::SimConfig config);
    // A production rig on the line instead: modules put on and taken off in virtual time.
    FakeModule(FakeSerialPort& port, VirtualClock& clock, modsim::Rig rig);
    FakeModule(const FakeModule&) = delete;
    FakeModule& operator=(const FakeModule&) = delete;
    ~FakeModule();

    // Time from the end of a command to the first reply byte; 30 ms is well inside a tick.
    Millis replyDelay = 30;

    // Replies to commands beginning with `prefix` ("/D", "/W 02", "\x80") come after `delay`.
    void delayReplies(std::string prefix, Millis delay);
    // Replies to commands beginning with `prefix` are these bytes instead of the simulator's
    // (which still carries the command out), the next `times` times (-1: always). Empty bytes
    // withhold the reply.
    void replaceReplies(std::string prefix, std::string bytes, int times = -1);

    modsim::ModuleSim sim;
    std::optional<modsim::Rig> rig;
    // Every command the module completed, without its CR, in order, and when.
    std::vector<std::string> commands;
    std::vector<Millis> commandTimes;
    // A rig's modules put on and taken off, with the virtual time.
    std::vector<modsim::RigEvent> rigEvents;

private:
    void received(const std::string& bytes);
    template <class Value>
    const Value* find(const std::vector<std::pair<std::string, Value>>& rules,
                      const std::string& command) const;

    FakeSerialPort& m_port;
    VirtualClock& m_clock;
    std::vector<std::pair<std::string, Millis>> m_delays;
    struct Replacement {
        std::string bytes;
        int times;
    };
    std::vector<std::pair<std::string, Replacement>> m_replacements;
};

}  // namespace orvane::test
