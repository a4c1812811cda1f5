#include "apps/orvane/production/ModuleRecords.h"

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
    return refused;
}

std::optional<Verdict> ModuleRecords::logPassed(const StepResult& write) {
    if (m_config.logFile.empty() || m_app.operationLog().appendRecord(write.outcome)) return std::nullopt;
    return verdictOf(Reason::LogError, m_config.logFile);
}

std::optional<Verdict> ModuleRecords::record(const Attempt& attempt) {
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
