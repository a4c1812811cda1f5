#include "tools/modsim/core/ModuleSim.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace orvane::modsim {

namespace {

constexpr char kCr = '\r';
constexpr char kWakeByte = '\x80';
// A command line longer than any the programs send is cut here; it is answered as unknown.
constexpr std::size_t kMaxLine = 256;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string hexByte(unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The slot of "/R 0n" or "/W 0n": "0" then a digit 0-3, nothing after.
std::optional<int> slotField(std::string_view field) {
    if (field.size() != 2 || field[0] != '0' || field[1] < '0' || field[1] > '3') return std::nullopt;
    return field[1] - '0';
}

std::string slotText(int slot) {
    return "0" + std::to_string(slot);
}

}  // namespace

std::string SimOutput::bytes() const {
    std::string all;
    for (const auto& chunk : chunks)
        all += chunk;
    return all;
}

std::optional<std::vector<std::uint8_t>> parseRegisterList(std::string_view text, std::size_t count) {
    // n values take 2n characters and n-1 commas.
    if (count == 0 || text.size() != count * 3 - 1) return std::nullopt;
    std::vector<std::uint8_t> values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i * 3;
        const int high = hexDigit(text[at]);
        const int low = hexDigit(text[at + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        if (i + 1 < count && text[at + 2] != ',') return std::nullopt;
        values.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return values;
}

std::string registerListText(const std::vector<std::uint8_t>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ',';
        text += hexByte(values[i]);
    }
    return text;
}

std::string printable(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "<CR>";
        } else if (c == '\n') {
            text += "<LF>";
        } else if (byte < 0x20 || byte >= 0x7F) {
            text += "<0x" + hexByte(byte) + ">";
        } else {
            text += c;
        }
    }
    return text;
}

ModuleSim::ModuleSim(SimConfig config) : m_config(std::move(config)) {
    if (m_config.type != 'T' && m_config.type != 'R')
        throw std::invalid_argument("module type must be T or R");
    if (m_config.version.empty()) m_config.version = std::string(1, m_config.type) + "1.02";
    if (m_config.version.size() != 5) throw std::invalid_argument("version must be 5 characters");
    if (m_config.serial > 0xFFFFFF) throw std::invalid_argument("serial number must fit 3 bytes");
    if (m_config.date.size() != 10) throw std::invalid_argument("date must be 10 characters");
    if (m_config.offset.size() != 2) throw std::invalid_argument("offset must be 2 characters");
    const auto common = parseRegisterList(m_config.commonParam, 3);
    if (!common) throw std::invalid_argument("common parameters must be 3 hex values (0A,26,C8)");
    m_commonParam = registerListText(*common);
    m_flash.fill(std::vector<std::uint8_t>(registerCount(), 0));
}

std::size_t ModuleSim::registerCount() const {
    return m_config.type == 'T' ? 12 : 5;
}

std::string ModuleSim::versionText() const {
    std::string version = m_config.version;
    if (m_config.faults.wrongType) version[0] = m_config.type == 'T' ? 'R' : 'T';
    return version;
}

const std::vector<std::uint8_t>& ModuleSim::flashSlot(int slot) const {
    return m_flash.at(static_cast<std::size_t>(slot));
}

std::string ModuleSim::flashSlotText(int slot) const {
    return registerListText(flashSlot(slot));
}

int ModuleSim::writeCount(int slot) const {
    return m_writeCounts.at(static_cast<std::size_t>(slot));
}

SimOutput ModuleSim::feed(std::string_view bytes) {
    SimOutput out;
    for (const char c : bytes) {
        if (m_linkDropped) break;
        if (c == kWakeByte || c == '*') {
            // Both are whole commands on their own; a partial line before them is abandoned.
            m_line.clear();
            handle(std::string(1, c), out);
        } else if (c == kCr) {
            if (!m_line.empty()) handle(m_line, out);
            m_line.clear();
        } else if (c != '\n' && m_line.size() < kMaxLine) {
            m_line += c;
        }
    }
    out.dropLink = m_linkDropped;
    return out;
}

void ModuleSim::handle(const std::string& command, SimOutput& out) {
    ++m_commandCount;
    std::string reply = execute(command);
    if (!reply.empty() && withheld(command)) reply.clear();
    sendReply(reply, out);
    out.exchanges.push_back({command, reply});
    if (m_config.faults.closeAfter > 0 && m_commandCount >= m_config.faults.closeAfter) m_linkDropped = true;
}

bool ModuleSim::withheld(const std::string& command) const {
    const SimFaults& faults = m_config.faults;
    return faults.silent || std::any_of(faults.noReply.begin(), faults.noReply.end(),
                                        [&](const std::string& p) { return startsWith(command, p); });
}

void ModuleSim::sendReply(const std::string& reply, SimOutput& out) const {
    if (reply.empty()) return;
    const SimFaults& faults = m_config.faults;
    std::string bytes = faults.noise + reply + kCr;
    if (faults.unsolicitedClear) bytes += faults.clearFailed ? "*C 01 NG\r" : "*C 00 OK\r";
    const std::size_t size = faults.chunkSize == 0 ? bytes.size() : faults.chunkSize;
    for (std::size_t at = 0; at < bytes.size(); at += size)
        out.chunks.push_back(bytes.substr(at, size));
}

std::string ModuleSim::execute(const std::string& command) {
    const bool transmitter = m_config.type == 'T';
    if (command.size() == 1 && (command[0] == kWakeByte || command[0] == '*')) return {};
    if (command == "/V") return "*V " + versionText() + " ORVANE-MOD";
    if (command == "/D") {
        const unsigned s = m_config.serial;
        std::string line = "*D " + hexByte(s >> 16) + hexByte(s >> 8) + hexByte(s) + " " + m_config.date;
        if (transmitter) line += " FO=" + m_config.offset;
        return line;
    }
    if (transmitter && (command == "/M" || startsWith(command, "/M "))) return commonReply(command);
    if (startsWith(command, "/R ")) return readReply(command);
    if (startsWith(command, "/T ")) return testReply(command);
    if (startsWith(command, "/W ")) return writeReply(command);
    return "*E Unknown";
}

std::string ModuleSim::commonReply(const std::string& command) {
    if (command.size() > 2) {
        const auto values = parseRegisterList(std::string_view(command).substr(3), 3);
        if (!values) return "*M Err";
        m_commonParam = registerListText(*values);
    }
    return "*M " + m_commonParam;
}

std::string ModuleSim::readReply(const std::string& command) {
    const auto slot = slotField(std::string_view(command).substr(3));
    if (!slot) return "*R Err";
    return "*R " + slotText(*slot) + " " + echo(command, flashSlot(*slot));
}

std::string ModuleSim::testReply(const std::string& command) {
    auto values = parseRegisterList(std::string_view(command).substr(3), registerCount());
    if (!values) return "*T Err";
    m_testRegisters = values;
    // A transmitter puts one more blank before the values (first value at position 5); a receiver
    // starts them at position 4.
    return std::string(m_config.type == 'T' ? "*T  " : "*T ") + echo(command, shortened(*values));
}

std::string ModuleSim::writeReply(const std::string& command) {
    const auto slot = slotField(std::string_view(command).substr(3));
    if (!slot || !m_testRegisters || m_config.faults.writeErrorSlots.contains(*slot)) return "*W Err";
    const auto index = static_cast<std::size_t>(*slot);
    m_flash[index] = *m_testRegisters;
    if (const auto wrong = static_cast<std::size_t>(m_config.faults.storeWrong); wrong > 0) {
        auto& value = m_flash[index][std::min(wrong, m_flash[index].size()) - 1];
        value = static_cast<std::uint8_t>(value ^ 0x01);
    }
    ++m_writeCounts[index];
    return "*W " + slotText(*slot) + " " + echo(command, shortened(m_flash[index]));
}

std::vector<std::uint8_t> ModuleSim::shortened(std::vector<std::uint8_t> values) const {
    const auto count = static_cast<std::size_t>(m_config.faults.echoValues);
    if (count > 0 && count < values.size()) values.resize(count);
    return values;
}

std::string ModuleSim::echo(const std::string& command, std::vector<std::uint8_t> values) const {
    const SimFaults& faults = m_config.faults;
    const bool selected =
        faults.corruptOn.empty() || std::any_of(faults.corruptOn.begin(), faults.corruptOn.end(),
                                                [&](const std::string& p) { return startsWith(command, p); });
    if (faults.corrupt && selected && !values.empty()) {
        const auto wanted = static_cast<std::size_t>(std::max(faults.corruptValue, 1));
        auto& value = values[std::min(wanted, values.size()) - 1];
        value = static_cast<std::uint8_t>(value ^ 0x01);
    }
    return registerListText(values);
}

}  // namespace orvane::modsim
