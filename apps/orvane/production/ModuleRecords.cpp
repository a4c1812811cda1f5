#include "apps/orvane/production/ModuleRecords.h"

#include "apps/orvane/ledger/TimeText.h"
#include "core/ops/OperationLog.h"

namespace orvane::cli {

namespace {

std::string jsonOrNull(const std::string& text) {
    return text.empty() ? "null" : jsonString(text);
}

// ["42","95",...]: the register texts sent for a channel.
std::string registerArray(const std::string& sent) {
    std::string json = "[";
    for (std::size_t at = 0; at < sent.size(); at += 3)
        json += (at > 0 ? "," : "") + jsonString(sent.substr(at, 2));
    return json + "]";
}

}  // namespace

std::string recordLine(const Attempt& a, const std::string& moduleName, const RecordedChannels& channels,
                       const std::map<std::string, std::string>& labels, const std::string& orvaneVersion) {
    const StepResult& write = *a.write;
    const StepResult& last = a.check ? *a.check : write;
    std::string json =
        "{\"serial\":" + jsonOrNull(write.outcome.serial) + ",\"module\":" + jsonString(moduleName) +
        ",\"version\":" + jsonOrNull(write.outcome.version) + ",\"port\":" + jsonOrNull(a.port) +
        ",\"outcome\":\"" + (a.verdict.passed() ? "pass" : "fail") +
        "\",\"reason\":" + jsonOrNull(reasonCode(a.verdict.reason)) +
        ",\"channel\":" + (a.verdict.channel < 0 ? "null" : std::to_string(a.verdict.channel)) +
        ",\"channels\":[";
    for (std::size_t ch = 0; ch < 4; ++ch)
        json += (ch > 0 ? "," : "") + jsonString(channels.set[ch]);
    json += "],\"entered\":[";
    for (std::size_t ch = 0; ch < 4; ++ch)
        json += (ch > 0 ? "," : "") + jsonString(channels.entered[ch]);
    json += "],\"registers\":[";
    for (std::size_t ch = 0; ch < 4; ++ch)
        json += (ch > 0 ? "," : "") + registerArray(write.outcome.sent[ch]);
    json += "],\"started\":" + jsonOrNull(write.started) + ",\"ended\":" + jsonOrNull(last.ended) +
            ",\"elapsed_ms\":" + std::to_string(write.elapsedMs + (a.check ? a.check->elapsedMs : 0)) +
            ",\"orvane_version\":" + jsonString(orvaneVersion) + ",\"labels\":{";
    bool first = true;
    for (const auto& [key, value] : labels) {
        json += (first ? "" : ",") + jsonString(key) + ":" + jsonString(value);
        first = false;
    }
    return json + "},\"attempt\":" + std::to_string(a.attempt) + "}";
}

ModuleRecords::ModuleRecords(App& app, IFileSystem& files, const Files& config)
    : m_app(app), m_files(files), m_config(config) {}

std::vector<std::string> ModuleRecords::refusals() const {
    std::vector<std::string> refused;
    const std::string why = ": cannot be appended to (its folder is missing, or it is write-protected)";
    if (!m_config.logFile.empty() && !m_app.operationLog().canAppend())
        refused.push_back("--log " + m_config.logFile + why);
    if (!m_config.recordFile.empty() && !m_files.canAppend(m_config.recordPath))
        refused.push_back("--record " + m_config.recordFile + why);
    if (!m_config.ledgerError.empty()) refused.push_back("the ledger: " + m_config.ledgerError);
    return refused;
}

std::optional<Verdict> ModuleRecords::logPassed(const StepResult& write) {
    if (m_config.logFile.empty() || m_app.operationLog().appendRecord(write.outcome)) return std::nullopt;
    return verdictOf(Reason::LogError, m_config.logFile);
}

std::optional<ledger::LastPass> ModuleRecords::passedBefore(const std::string& serial) {
    if (!m_config.ledger || serial.empty()) return std::nullopt;
    return m_config.ledger->lastPass(serial);
}

ledger::AttemptRow ModuleRecords::ledgerRow(const Attempt& a) const {
    const StepResult& write = *a.write;
    const StepResult& last = a.check ? *a.check : write;
    const Outcome& o = write.outcome;
    ledger::AttemptRow row;
    row.uuid = a.uuid;
    row.serial = o.serial;
    row.moduleType = m_app.profile().moduleName;
    row.firmware = o.version;
    row.factoryDate = o.factoryDate;
    row.factoryOffset = o.factoryOffset;
    row.station = m_config.station;
    row.port = a.port;
    row.labels = m_config.labels;
    row.startMs = ledger::parseUtcText(write.started).value_or(0);
    row.endMs = ledger::parseUtcText(last.ended).value_or(row.startMs);
    row.passed = a.verdict.passed();
    row.reason = reasonCode(a.verdict.reason);
    row.failCommand = a.verdict.command;
    row.failChannel = a.verdict.channel;
    for (std::size_t ch = 0; ch < 4; ++ch) {
        ledger::ChannelRow& c = row.channels[ch];
        c.entered = m_app.form().ChFrequency[ch].text();
        c.frequency = recordedChannel(m_app.form(), m_app.registerModel(), static_cast<int>(ch));
        c.sent = o.sent[ch];
        if (a.check) c.readBack = a.check->outcome.readBack[ch];
    }
    row.attempt = a.attempt;
    row.orvaneVersion = m_config.orvaneVersion;
    return row;
}

std::optional<Verdict> ModuleRecords::record(const Attempt& attempt) {
    // The ledger first: it is the station's account of every attempt.
    if (m_config.ledger) {
        if (const std::string why = m_config.ledger->append(ledgerRow(attempt)); !why.empty())
            return verdictOf(Reason::RecordError, "the ledger " + m_config.ledgerPath + " (" + why + ")");
        // The copy to the line runs on its own thread: nothing here waits on the network.
        if (m_config.uploader) m_config.uploader->wake();
    }
    if (m_config.recordFile.empty()) return std::nullopt;
    RecordedChannels channels;
    for (std::size_t ch = 0; ch < 4; ++ch) {
        channels.set[ch] = recordedChannel(m_app.form(), m_app.registerModel(), static_cast<int>(ch));
        channels.entered[ch] = m_app.form().ChFrequency[ch].text();
    }
    const std::string line =
        recordLine(attempt, m_app.profile().moduleName, channels, m_config.labels, m_config.orvaneVersion) +
        "\n";
    if (m_files.appendLine(m_config.recordPath, line)) return std::nullopt;
    return verdictOf(Reason::RecordError, m_config.recordFile);
}

}  // namespace orvane::cli
