#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace orvane::modsim {

// Faults the simulated module can show. All are off by default; each can be changed while the
// simulator runs (ModuleSim::faults()).
struct SimFaults {
    // Carry out every command but never send a reply.
    bool silent = false;
    // Commands whose reply is withheld, matched by prefix of the command text without its CR
    // ("/M" matches "/M" and "/M 0A,26,C8"; "/W 02" only that write). The command still takes effect.
    std::vector<std::string> noReply;
    // "*V" carries the other module's type letter (R for a transmitter, T for a receiver).
    bool wrongType = false;
    // Flash slots (0-3) whose "/W" fails with "*W Err"; the slot keeps its old content.
    std::set<int> writeErrorSlots;
    // Change one register value (flip its lowest bit) in the "*W", "*R" and "*T" echoes. Only the
    // echo is wrong; what the module stores is right.
    bool corrupt = false;
    // Which value (1-based) is changed; a value beyond the echo's count changes the last one.
    int corruptValue = 1;
    // When not empty, corrupt only the echoes of commands with one of these prefixes ("/W 02").
    std::vector<std::string> corruptOn;
    // Store that value (1-based) wrong in the flash on every "/W" (lowest bit flipped); every echo
    // then shows what is stored (0: off).
    int storeWrong = 0;
    // Echo only the first this many values in "*T" and "*W" replies (0: all), as a module may that
    // echoes just the values a program compares. "*R" still carries every value.
    int echoValues = 0;
    // On a rig: the module is taken off right after answering a command with this prefix ("/D"),
    // and the next one goes on at once, so the commands after it reach another module.
    std::string leaveAfter;
    // Cut every reply into pieces of this many bytes (0: one piece per reply).
    std::size_t chunkSize = 0;
    // Bytes sent before the "*" of every reply (a line feed left over, a glitch on the line).
    std::string noise;
    // Send a flash-clear status line "*C .." after every reply.
    bool unsolicitedClear = false;
    // The status of that line: "01" (failed) instead of "00".
    bool clearFailed = false;
    // Drop the link once this many commands have been handled (0: never). The last one is still
    // answered.
    int closeAfter = 0;

    bool operator==(const SimFaults&) const = default;
};

// Identity and factory data of the simulated module.
struct SimConfig {
    // 'T' (transmitter, 12 registers per channel) or 'R' (receiver, 5 registers per channel).
    char type = 'T';
    // Firmware version text, exactly 5 characters; empty means the type letter followed by "1.02".
    std::string version;
    // Serial number, 0 to 0xFFFFFF.
    unsigned serial = 0x0A1B2C;
    // Factory test date, exactly 10 characters.
    std::string date = "2024/05/17";
    // Frequency offset value text, exactly 2 characters (transmitter only).
    std::string offset = "00";
    // Common parameters held before any "/M " (transmitter only).
    std::string commonParam = "0A,26,C8";
    SimFaults faults;
};

}  // namespace orvane::modsim
