#include "tests/support/FakeModule.h"

namespace orvane::test {

namespace {

modsim::SimConfig ownType(Program which) {
    modsim::SimConfig config;
    config.type = which == Program::Quorvex ? 'T' : 'R';
    return config;
}

}  // namespace

FakeModule::FakeModule(TestProgram& program) : FakeModule(program, ownType(program.which)) {}

FakeModule::FakeModule(TestProgram& program, modsim::SimConfig config)
    : FakeModule(program.port, program.clock, std::move(config)) {}

FakeModule::FakeModule(FakeSerialPort& port, VirtualClock& clock, modsim::SimConfig config)
    : sim(std::move(config)), m_port(port), m_clock(clock) {
    m_port.onWrite = [this](const std::string& bytes) { received(bytes); };
}

FakeModule::FakeModule(FakeSerialPort& port, VirtualClock& clock, modsim::Rig onLine)
    : FakeModule(port, clock, modsim::SimConfig{}) {
    rig.emplace(std::move(onLine));
}

FakeModule::~FakeModule() {
    m_port.onWrite = nullptr;
}

void FakeModule::delayReplies(std::string prefix, Millis delay) {
    m_delays.emplace_back(std::move(prefix), delay);
}

void FakeModule::replaceReplies(std::string prefix, std::string bytes, int times) {
    m_replacements.emplace_back(std::move(prefix), Replacement{std::move(bytes), times});
}

template <class Value>
const Value* FakeModule::find(const std::vector<std::pair<std::string, Value>>& rules,
                              const std::string& command) const {
    for (const auto& [prefix, value] : rules)
        if (command.compare(0, prefix.size(), prefix) == 0) return &value;
    return nullptr;
}

void FakeModule::received(const std::string& bytes) {
    modsim::SimOutput out;
    if (rig) {
        modsim::RigOutput fed = rig->feed(bytes, m_clock.now());
        rigEvents.insert(rigEvents.end(), fed.events.begin(), fed.events.end());
        out = std::move(fed.reply);
    } else {
        out = sim.feed(bytes);
    }
    for (const modsim::SimExchange& exchange : out.exchanges) {
        commands.push_back(exchange.command);
        commandTimes.push_back(m_clock.now());
    }
    if (out.exchanges.empty()) return;

    // The programs write one command at a time, so a write completes at most one command.
    const std::string& command = out.exchanges.front().command;
    const Millis* delay = find(m_delays, command);
    std::vector<std::string> chunks = out.chunks;
    for (auto& [prefix, replacement] : m_replacements) {
        if (command.compare(0, prefix.size(), prefix) != 0 || replacement.times == 0) continue;
        if (replacement.times > 0) --replacement.times;
        chunks.clear();
        if (!replacement.bytes.empty()) chunks.push_back(replacement.bytes);
        break;
    }

    VirtualClock& clock = m_clock;
    FakeSerialPort& port = m_port;
    Millis when = delay ? *delay : replyDelay;
    for (const std::string& chunk : chunks) {
        // A closed port receives nothing.
        clock.after(when++, [&port, chunk] {
            if (port.isOpen()) port.deliver(chunk);
        });
    }
    if (out.dropLink) clock.after(when, [&port] { port.lose("The device is gone."); });
}

}  // namespace orvane::test
