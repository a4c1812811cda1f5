#include "core/window/OutcomeRecorder.h"

#include <algorithm>

namespace orvane {

namespace {

bool isChannel(int channel) {
    return channel >= 0 && channel <= 3;
}

}  // namespace

void OutcomeRecorder::begin(ExchangeKind exchange) {
    m_running = true;
    m_outcome = Outcome{};
    m_outcome.exchange = exchange;
    m_kinds.clear();
    m_command.clear();
    m_channel = -1;
    m_sent = {};
}

void OutcomeRecorder::end() {
    if (!m_running) return;
    m_running = false;
    m_kinds.clear();
    // A copy: a listener may begin the next exchange.
    const Outcome outcome = m_outcome;
    for (const Listener& listener : m_listeners)
        listener(outcome);
}

void OutcomeRecorder::await(std::initializer_list<std::string_view> kinds, std::string command, int channel) {
    m_kinds.assign(kinds.begin(), kinds.end());
    m_command = std::move(command);
    m_channel = channel;
}

bool OutcomeRecorder::awaits(std::string_view line) const {
    if (!m_running) return true;
    return std::any_of(m_kinds.begin(), m_kinds.end(),
                       [line](std::string_view kind) { return line.starts_with(kind); });
}

void OutcomeRecorder::sent(int channel, std::string registers) {
    if (!isChannel(channel)) return;
    const auto index = static_cast<std::size_t>(channel);
    if (m_running) m_outcome.sent[index] = registers;
    m_sent[index] = std::move(registers);
}

const std::string* OutcomeRecorder::sentTo(int channel) const {
    if (!isChannel(channel)) return nullptr;
    const auto& registers = m_sent[static_cast<std::size_t>(channel)];
    return registers ? &*registers : nullptr;
}

void OutcomeRecorder::fail(OutcomeKind kind, int channel) {
    if (!m_running || !m_outcome.passed() || kind == OutcomeKind::Pass) return;
    m_outcome.kind = kind;
    m_outcome.channel = isChannel(channel) ? channel : -1;
}

void OutcomeRecorder::unanswered(const std::string& command, int channel, int step) {
    if (!m_running || !m_outcome.passed()) return;
    fail(OutcomeKind::NoResponse, channel);
    m_outcome.command = command;
    m_outcome.step = step;
}

void OutcomeRecorder::portFailed(std::string reason) {
    if (!m_running) return;
    m_outcome.kind = OutcomeKind::PortFailure;
    m_outcome.channel = -1;
    m_outcome.command.clear();
    m_outcome.step = -1;
    m_outcome.portReason = std::move(reason);
}

void OutcomeRecorder::readBack(int channel, std::string registers) {
    if (m_running && isChannel(channel))
        m_outcome.readBack[static_cast<std::size_t>(channel)] = std::move(registers);
}

void OutcomeRecorder::confirm(int channel, bool whole) {
    if (!m_running || !isChannel(channel)) return;
    const auto index = static_cast<std::size_t>(channel);
    m_outcome.confirmed[index] = true;
    m_outcome.echoedShort[index] = !whole;
}

}  // namespace orvane
