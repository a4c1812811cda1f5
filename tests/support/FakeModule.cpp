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
    : sim(std::move(config)), m_program(program) {
    m_program.port.onWrite = [this](const std::string& bytes) { received(bytes); };
}

FakeModule::FakeModule(TestProgram& program, modsim::Rig onLine) : FakeModule(program) {
    rig.emplace(std::move(onLine));
}

FakeModule::~FakeModule() {
    m_program.port.onWrite = nullptr;
}

void FakeModule::delayReplies(std::string prefix, Millis delay) {
    m_delays.emplace_back(std::move(prefix), delay);
}

void FakeModule::replaceReplies(std::string prefix, std::string bytes) {
    m_replacements.emplace_back(std::move(prefix), std::move(bytes));
}

template <class Value>
const Value* FakeModule::find(const std::vector<std::pair<std::string, Value>>& rules,
                              const std::string& command) const {
    for (const auto& [prefix, value] : rules)
        if (command.compare(0, prefix.size(), prefix) == 0) return &value;
    return nullptr;
}

void FakeModule::received(const std::string& bytes) {
    const modsim::SimOutput out = rig ? rig->feed(bytes, m_program.clock.now()).reply : sim.feed(bytes);
    for (const modsim::SimExchange& exchange : out.exchanges)
        commands.push_back(exchange.command);
    if (out.exchanges.empty()) return;

    // The programs write one command at a time, so a write completes at most one command.
    const std::string& command = out.exchanges.front().command;
    const Millis* delay = find(m_delays, command);
    std::vector<std::string> chunks = out.chunks;
    if (const std::string* replacement = find(m_replacements, command)) {
        chunks.clear();
        if (!replacement->empty()) chunks.push_back(*replacement);
    }

    VirtualClock& clock = m_program.clock;
    FakeSerialPort& port = m_program.port;
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
