#pragma once

#include "tools/modsim/core/SimConfig.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::modsim {

// One handled command and the reply line it produced (without noise, CR or "*C" line; empty when
// the command has no reply or the reply was withheld). For logs.
struct SimExchange {
    std::string command;
    std::string reply;
};

// What the module sends back for the bytes it was fed.
struct SimOutput {
    // The reply bytes in order, cut into the pieces the module sends one at a time.
    std::vector<std::string> chunks;
    // Every command completed by the fed bytes, in order.
    std::vector<SimExchange> exchanges;
    // The module has handled its last command (close-after fault): the caller drops the link.
    bool dropLink = false;

    // All chunks joined.
    std::string bytes() const;
};

// A transmitter ('T') or receiver ('R') radio module speaking the setup protocol: commands end in
// CR, except the single byte 0x80 (wake-up) and a bare "*" (end of test), which are complete on
// their own and get no reply. Replies are lines "*..." followed by CR. Purely synchronous and
// without I/O: the caller feeds the received bytes in any pieces and sends what comes back.
class ModuleSim {
public:
    static constexpr int kSlotCount = 4;

    // Throws std::invalid_argument when the configuration is unusable (type, text lengths, serial
    // range, common parameter format).
    explicit ModuleSim(SimConfig config);

    // Takes bytes from the line; answers every command they complete.
    SimOutput feed(std::string_view bytes);

    const SimConfig& config() const { return m_config; }
    // Faults can be switched while the module runs.
    SimFaults& faults() { return m_config.faults; }

    // Register values per channel: 12 for a transmitter, 5 for a receiver.
    std::size_t registerCount() const;
    // The version text as "*V" reports it (type letter first).
    std::string versionText() const;
    // Flash content of a slot (0-3); a slot never written holds zeros.
    const std::vector<std::uint8_t>& flashSlot(int slot) const;
    // Flash content as "42,95,5A,...".
    std::string flashSlotText(int slot) const;
    // Successful writes to a slot so far.
    int writeCount(int slot) const;
    // The common parameter text held by a transmitter ("0A,26,C8").
    const std::string& commonParam() const { return m_commonParam; }
    // Values loaded by the last valid "/T", if any.
    const std::optional<std::vector<std::uint8_t>>& testRegisters() const { return m_testRegisters; }
    // Commands handled so far (0x80 and "*" included).
    int commandCount() const { return m_commandCount; }
    bool linkDropped() const { return m_linkDropped; }

private:
    void handle(const std::string& command, SimOutput& out);
    std::string execute(const std::string& command);
    std::string echo(const std::string& command, std::vector<std::uint8_t> values) const;
    // The values an echo of "/T" or "/W" carries (the echo-values fault keeps the first few).
    std::vector<std::uint8_t> shortened(std::vector<std::uint8_t> values) const;
    std::string readReply(const std::string& command);
    std::string testReply(const std::string& command);
    std::string writeReply(const std::string& command);
    std::string commonReply(const std::string& command);
    bool withheld(const std::string& command) const;
    void sendReply(const std::string& reply, SimOutput& out) const;

    SimConfig m_config;
    std::string m_commonParam;
    std::array<std::vector<std::uint8_t>, kSlotCount> m_flash;
    std::array<int, kSlotCount> m_writeCounts{};
    std::optional<std::vector<std::uint8_t>> m_testRegisters;
    std::string m_line;
    int m_commandCount = 0;
    bool m_linkDropped = false;
};

// Parses "v1,v2,..." where every value is exactly two hexadecimal digits; nothing when the text is
// malformed or the count differs from `count`.
std::optional<std::vector<std::uint8_t>> parseRegisterList(std::string_view text, std::size_t count);

// Values as upper-case two-digit hexadecimal texts joined by ",".
std::string registerListText(const std::vector<std::uint8_t>& values);

// The bytes made readable for a log: CR as <CR>, LF as <LF>, other control and non-ASCII bytes
// as <0xNN>.
std::string printable(std::string_view bytes);

}  // namespace orvane::modsim
