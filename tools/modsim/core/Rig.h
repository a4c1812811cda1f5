#pragma once

#include "tools/modsim/core/ModuleSim.h"
#include "tools/modsim/core/SimConfig.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::modsim {

// One module of a rig list: its serial number and its faults. Everything else about it is the
// rig's configuration.
struct RigModule {
    unsigned serial = 0;
    SimFaults faults;

    bool operator==(const RigModule&) const = default;
};

// A module put on the rig (on) or taken off it (!on), and when.
struct RigEvent {
    bool on = false;
    unsigned serial = 0;
    std::int64_t atMs = 0;
};

// What the rig did up to a moment and, for fed bytes, what the module on it answered.
struct RigOutput {
    // Modules taken off and put on since the last call, in time order.
    std::vector<RigEvent> events;
    // The reply of the module on the rig; empty when the rig was empty and the bytes were lost.
    SimOutput reply;
};

// A production test rig behind one serial port: modules are put on it one after another, each
// answers like a ModuleSim while it is on, and while the rig is empty nothing answers. Driven by
// the caller's clock (milliseconds, never decreasing) and without I/O, so it runs in virtual time.
//
// When a module goes off: its hold (holdMs) starts at its first command of any kind and starts
// again, once, at its first "/W". So a program that polls with get-information, writes a module
// it found and checks it right away sees the module appear, get written once and disappear,
// provided the write starts within the hold and the write and check after the first "/W" fit
// in it; a module that is only polled or read is taken off a hold after it was first spoken to.
// A module nobody speaks to stays on. After a module is taken off the rig stays empty for gapMs,
// then the next one goes on; after the last one it stays empty.
class Rig {
public:
    // Every module gets `config` with its own serial number and faults. The first goes on at
    // startMs. Throws std::invalid_argument for an empty list, holdMs below 1, gapMs below 0 or
    // a configuration ModuleSim refuses.
    Rig(const SimConfig& config, const std::vector<RigModule>& modules, int holdMs, int gapMs,
        std::int64_t startMs);

    // Brings the rig to nowMs: takes off and puts on every module whose time has come.
    RigOutput advance(std::int64_t nowMs);
    // Bytes from the line at nowMs (after advancing to it), answered by the module on the rig.
    RigOutput feed(std::string_view bytes, std::int64_t nowMs);
    // When the next module goes on or off; nothing while that waits for a command or the rig
    // has finished.
    std::optional<std::int64_t> nextEventMs() const { return m_dueMs; }

    // The module on the rig; nullptr while the rig is empty.
    const ModuleSim* moduleOn() const;
    // Every module put on so far, in order; the one on the rig, if any, is the last.
    std::span<const ModuleSim> placed() const;

private:
    std::vector<ModuleSim> m_modules;
    std::int64_t m_holdMs;
    std::int64_t m_gapMs;
    std::size_t m_placedCount = 0;
    bool m_on = false;
    bool m_written = false;
    std::optional<std::int64_t> m_dueMs;
};

// A serial number as the module reports it: 6 upper-case hexadecimal digits.
std::string serialText(unsigned serial);

// One module's state for --dump-flash in rig mode:
// "module SERIAL writes W0,W1,W2,W3 slots V0;V1;V2;V3", Wn the successful writes to slot n, Vn its
// flash content as "42,95,...".
std::string rigDumpLine(const ModuleSim& module);

}  // namespace orvane::modsim
