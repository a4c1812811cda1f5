#include "apps/orvane/Report.h"

#include <cstdio>

namespace orvane::cli {

namespace {

std::string jsonOrNull(const std::string& text) {
    return text.empty() ? "null" : jsonString(text);
}

std::string jsonNumberOrNull(int value) {
    return value < 0 ? "null" : std::to_string(value);
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

Reporter::Reporter(std::ostream& out, std::ostream& err, bool json, bool liveProgress)
    : m_out(out), m_err(err), m_json(json), m_live(liveProgress) {}

void Reporter::progress(ExchangeKind step, int n, int of, int channel) {
    if (!m_live) return;
    m_err << "\r\033[K" << stepName(step) << ": step " << n << " of " << of;
    if (channel >= 0) m_err << ", channel " << channel;
    m_err.flush();
    m_progressShown = true;
}

void Reporter::clearProgress() {
    if (!m_progressShown) return;
    m_err << "\r\033[K";
    m_err.flush();
    m_progressShown = false;
}

void Reporter::step(const StepResult& r) {
    result(stepName(r.step), r.channel, r.verdict, r);
}

void Reporter::logFailed(const Verdict& verdict, const StepResult& write) {
    result("log", -1, verdict, write);
}

void Reporter::result(const std::string& name, int channel, const Verdict& v, const StepResult& r) {
    clearProgress();
    const std::string& serial = r.outcome.serial;
    const std::string& version = r.outcome.version;
    if (m_json) {
        const char* outcome = v.kind == Verdict::Kind::Pass        ? "pass"
                              : v.kind == Verdict::Kind::PortError ? "port-error"
                                                                   : "fail";
        m_out << "{\"step\":" << jsonString(name) << ",\"outcome\":\"" << outcome
              << "\",\"reason\":" << jsonOrNull(v.reason) << ",\"detail\":" << jsonOrNull(v.detail)
              << ",\"at_step\":" << jsonNumberOrNull(v.step)
              << ",\"channel\":" << jsonNumberOrNull(v.channel >= 0 ? v.channel : channel)
              << ",\"serial\":" << jsonOrNull(serial) << ",\"version\":" << jsonOrNull(version)
              << ",\"started\":" << jsonString(r.started) << ",\"ended\":" << jsonString(r.ended)
              << ",\"elapsed_ms\":" << r.elapsedMs << "}\n";
    } else {
        m_out << name;
        if (channel >= 0) m_out << " channel " << channel;
        m_out << ": " << (v.kind == Verdict::Kind::Pass ? "PASS" : "FAIL");
        if (!serial.empty()) m_out << " serial " << serial;
        if (!version.empty()) m_out << " version " << version;
        if (v.kind != Verdict::Kind::Pass) m_out << ": " << v.text();
        m_out << '\n';
    }
    m_out.flush();
}

void Reporter::module(bool passed, const std::string& serial, const std::string& version,
                      const std::string& reason, const std::string& time) {
    clearProgress();
    if (m_json) {
        m_out << "{\"step\":\"module\",\"outcome\":\"" << (passed ? "pass" : "fail")
              << "\",\"serial\":" << jsonOrNull(serial) << ",\"version\":" << jsonOrNull(version)
              << ",\"reason\":" << jsonOrNull(reason) << ",\"time\":" << jsonString(time) << "}\n";
    } else {
        m_out << (passed ? "PASS " : "FAIL ") << (serial.empty() ? "(no serial number)" : serial);
        if (!passed) m_out << ' ' << reason;
        m_out << '\n';
    }
    m_out.flush();
}

void Reporter::summary(int passed, int failed, const std::vector<std::string>& failedSerials) {
    clearProgress();
    if (m_json) {
        m_out << "{\"step\":\"summary\",\"passed\":" << passed << ",\"failed\":" << failed
              << ",\"failed_serials\":[";
        for (std::size_t i = 0; i < failedSerials.size(); ++i)
            m_out << (i > 0 ? "," : "") << jsonOrNull(failedSerials[i]);
        m_out << "]}\n";
    } else {
        m_out << "passed " << passed << ", failed " << failed;
        if (!failedSerials.empty()) {
            m_out << ':';
            for (const std::string& serial : failedSerials)
                m_out << ' ' << (serial.empty() ? "(no serial number)" : serial);
        }
        m_out << '\n';
    }
    m_out.flush();
}

void Reporter::refused(const std::vector<std::string>& reasons) {
    clearProgress();
    for (const std::string& reason : reasons)
        m_err << "orvane: " << reason << '\n';
    if (m_json) {
        m_out << "{\"step\":\"input\",\"outcome\":\"refused\",\"reasons\":[";
        for (std::size_t i = 0; i < reasons.size(); ++i)
            m_out << (i > 0 ? "," : "") << jsonString(reasons[i]);
        m_out << "]}\n";
    }
    m_out.flush();
}

void Reporter::portNotOpen(const std::string& port, const std::string& reason) {
    clearProgress();
    m_err << "orvane: " << port << " cannot be opened: " << reason << '\n';
    if (m_json)
        m_out << "{\"step\":\"open\",\"outcome\":\"port-error\",\"port\":" << jsonString(port)
              << ",\"detail\":" << jsonOrNull(reason) << "}\n";
    m_out.flush();
}

void Reporter::ports(const std::vector<PortStatus>& ports) {
    for (const PortStatus& p : ports) {
        if (m_json) {
            m_out << "{\"port\":" << jsonString(p.name) << ",\"device\":" << jsonString(p.device)
                  << ",\"description\":" << jsonOrNull(p.description)
                  << ",\"available\":" << (p.available ? "true" : "false")
                  << ",\"reason\":" << jsonOrNull(p.reason) << "}\n";
        } else {
            m_out << p.name << '\t' << p.device << '\t' << (p.description.empty() ? "-" : p.description)
                  << '\t' << (p.available ? "available" : "unavailable: " + p.reason) << '\n';
        }
    }
    m_out.flush();
}

void Reporter::note(const std::string& text) {
    clearProgress();
    m_err << "orvane: " << text << '\n';
    m_err.flush();
}

}  // namespace orvane::cli
