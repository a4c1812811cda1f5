#pragma once

#include "core/window/Outcome.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The outcome of the exchange that runs, built up while it runs: the exchange names the replies
// each step waits for and what it sent, the receive handler records what the module answered,
// and the exchange's end hands the finished value to everyone who listens (the operation log,
// the headless command). Plain data: it shows nothing.
class OutcomeRecorder {
public:
    using Listener = std::function<void(const Outcome&)>;

    // A new exchange begins: a fresh outcome, no reply awaited, nothing sent yet.
    void begin(ExchangeKind exchange);
    // The exchange is over; every listener gets the outcome. Does nothing when none runs.
    void end();
    bool running() const { return m_running; }
    ExchangeKind exchange() const { return m_outcome.exchange; }
    // The running exchange's outcome so far, or the last one's once it has ended.
    const Outcome& current() const { return m_outcome; }

    // The step now waiting accepts replies of these kinds (line prefixes such as "*V", "*W"),
    // sent for `command`; none before the first send. `channel` is the channel it concerns.
    void await(std::initializer_list<std::string_view> kinds, std::string command, int channel = -1);
    // Whether a reply line counts as the reply of the step now waiting. With no exchange running
    // every line counts, as nothing waits.
    bool awaits(std::string_view line) const;
    // The command the step now waiting sent, and its channel.
    const std::string& awaitedCommand() const { return m_command; }
    int awaitedChannel() const { return m_channel; }

    // The register texts sent for a channel ("/T " payload), kept until the next exchange begins
    // so that an echo that comes late is still judged against them.
    void sent(int channel, std::string registers);
    const std::string* sentTo(int channel) const;

    // A failure of the running exchange; the first one recorded stays.
    void fail(OutcomeKind kind, int channel = -1);
    // The reply to `command` never came, found at `step`.
    void unanswered(const std::string& command, int channel, int step);
    // The port failed: this ends the exchange, whatever was recorded before.
    void portFailed(std::string reason);
    // The module confirmed a channel: `whole` when its echo carried every value sent, not only the
    // ones the window compares.
    void confirm(int channel, bool whole = true);
    void identity(std::string serial) { record(m_outcome.serial, std::move(serial)); }
    void version(std::string version) { record(m_outcome.version, std::move(version)); }
    void factory(std::string date, std::string offset) {
        record(m_outcome.factoryDate, std::move(date));
        record(m_outcome.factoryOffset, std::move(offset));
    }
    // What a channel read back, as the module sent it.
    void readBack(int channel, std::string registers);

    void observe(Listener listener) { m_listeners.push_back(std::move(listener)); }

private:
    void record(std::string& field, std::string value) {
        if (m_running) field = std::move(value);
    }

    bool m_running = false;
    Outcome m_outcome;
    std::vector<std::string_view> m_kinds;
    std::string m_command;
    int m_channel = -1;
    std::array<std::optional<std::string>, 4> m_sent;
    std::vector<Listener> m_listeners;
};

}  // namespace orvane
