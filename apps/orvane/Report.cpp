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

std::string orNoSerial(const std::string& serial) {
    return serial.empty() ? "(no serial number)" : serial;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string json = "\"";
    auto escape = [&json](unsigned unit) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", unit);
        json += escaped;
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += text[i++];
        } else if (byte < 0x20) {
            escape(byte);
            ++i;
        } else if (byte < 0x80) {
            json += text[i++];
        } else {
            // Beyond ASCII as escapes, so that every line is plain ASCII whatever the code page of
            // the file or console it goes to. A byte that starts no UTF-8 character stands as
            // U+FFFD.
            const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            unsigned code = byte & (0x7Fu >> length);
            bool valid = length > 1 && i + static_cast<std::size_t>(length) <= text.size();
            for (int k = 1; valid && k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
                valid = (next & 0xC0) == 0x80;
                code = (code << 6) | (next & 0x3Fu);
            }
            if (!valid || code > 0x10FFFF) {
                escape(0xFFFD);
                ++i;
                continue;
            }
            if (code >= 0x10000) {
                escape(0xD800 + ((code - 0x10000) >> 10));
                escape(0xDC00 + ((code - 0x10000) & 0x3FF));
            } else {
                escape(code);
            }
            i += static_cast<std::size_t>(length);
        }
    }
    return json + "\"";
}

Reporter::Reporter(std::ostream& out, std::ostream& err, bool json, bool liveProgress)
    : m_out(out), m_err(err), m_json(json), m_live(liveProgress) {}

void Reporter::live(const std::string& text) {
    if (!m_live) return;
    m_err << "\r\033[K" << text;
    m_err.flush();
    m_progressShown = true;
}

void Reporter::progress(const std::string& port, ExchangeKind step, int n, int of, int channel) {
    std::string text = m_rigs > 1 ? port + ": " : "";
    text += std::string(stepName(step)) + ": step " + std::to_string(n) + " of " + std::to_string(of);
    if (channel >= 0) text += ", channel " + std::to_string(channel);
    live(text);
}

void Reporter::waiting(const std::string& port, const std::string& what) {
    live((m_rigs > 1 ? port + ": " : "") + what);
}

void Reporter::clearProgress() {
    if (!m_progressShown) return;
    m_err << "\r\033[K";
    m_err.flush();
    m_progressShown = false;
}

void Reporter::resultFields(const std::string& port, const Verdict& v, const std::string& serial,
                            const std::string& version, const std::string& started, const std::string& ended,
                            long long elapsedMs) {
    m_out << ",\"port\":" << jsonOrNull(port) << ",\"outcome\":\"" << (v.passed() ? "pass" : "fail")
          << "\",\"reason\":" << jsonOrNull(reasonCode(v.reason)) << ",\"command\":" << jsonOrNull(v.command)
          << ",\"channel\":" << jsonNumberOrNull(v.channel) << ",\"detail\":" << jsonOrNull(v.detail)
          << ",\"serial\":" << jsonOrNull(serial) << ",\"version\":" << jsonOrNull(version)
          << ",\"started\":" << jsonOrNull(started) << ",\"ended\":" << jsonOrNull(ended)
          << ",\"elapsed_ms\":" << elapsedMs;
}

void Reporter::step(const std::string& port, const StepResult& r) {
    clearProgress();
    Verdict v = r.verdict;
    if (v.channel < 0 && r.channel >= 0) v.channel = r.channel;  // the channel a test ran on
    if (m_json) {
        m_out << "{\"step\":" << jsonString(stepName(r.step));
        resultFields(port, v, r.outcome.serial, r.outcome.version, r.started, r.ended, r.elapsedMs);
        m_out << "}\n";
    } else {
        m_out << stepName(r.step);
        if (r.channel >= 0) m_out << " channel " << r.channel;
        m_out << ": " << (v.passed() ? "PASS" : "FAIL");
        if (!r.outcome.serial.empty()) m_out << " serial " << r.outcome.serial;
        if (!r.outcome.version.empty()) m_out << " version " << r.outcome.version;
        if (!v.passed()) m_out << ": " << v.text();
        m_out << '\n';
    }
    m_out.flush();
}

void Reporter::fileFailed(const std::string& port, const Verdict& v, const StepResult& write) {
    clearProgress();
    const char* name = v.reason == Reason::LogError ? "log" : "record";
    if (m_json) {
        m_out << "{\"step\":\"" << name << "\"";
        resultFields(port, v, write.outcome.serial, write.outcome.version, write.started, write.ended,
                     write.elapsedMs);
        m_out << "}\n";
    } else {
        m_out << name << ": FAIL";
        if (!write.outcome.serial.empty()) m_out << " serial " << write.outcome.serial;
        m_out << ": " << v.text() << '\n';
    }
    m_out.flush();
}

void Reporter::module(const ModuleReport& m) {
    clearProgress();
    if (m_json) {
        m_out << "{\"step\":\"module\"";
        resultFields(m.port, m.verdict, m.serial, m.version, m.started, m.ended, m.elapsedMs);
        m_out << ",\"attempt\":" << m.attempt << ",\"again\":" << (m.again ? "true" : "false")
              << ",\"passed_before\":" << jsonOrNull(m.passedBefore) << "}\n";
    } else {
        m_out << (m.verdict.passed() ? "PASS " : "FAIL ");
        if (m_rigs > 1) m_out << m.port << ' ';
        m_out << orNoSerial(m.serial);
        if (!m.verdict.passed()) m_out << ' ' << m.verdict.text();
        if (m.attempt > 1) m_out << " (attempt " << m.attempt << ')';
        if (m.again)
            m_out << " (again" << (m.passedBefore.empty() ? "" : ": passed " + m.passedBefore) << ')';
        m_out << '\n';
    }
    m_out.flush();
}

void Reporter::summary(const std::vector<Tally>& rigs, const Tally& total) {
    clearProgress();
    auto line = [this](const Tally& t) {
        if (m_json) {
            m_out << "{\"step\":\"summary\",\"port\":" << jsonOrNull(t.port) << ",\"passed\":" << t.passed
                  << ",\"failed\":" << t.failed << ",\"failed_serials\":[";
            for (std::size_t i = 0; i < t.failedSerials.size(); ++i)
                m_out << (i > 0 ? "," : "") << jsonOrNull(t.failedSerials[i]);
            m_out << "]}\n";
            return;
        }
        if (!t.port.empty()) m_out << t.port << ": ";
        m_out << "passed " << t.passed << ", failed " << t.failed;
        if (!t.failedSerials.empty()) {
            m_out << ':';
            for (const std::string& serial : t.failedSerials)
                m_out << ' ' << orNoSerial(serial);
        }
        m_out << '\n';
    };
    if (rigs.size() > 1) {
        for (const Tally& rig : rigs)
            line(rig);
    }
    line(total);
    m_out.flush();
}

void Reporter::refused(const std::vector<std::string>& reasons) {
    clearProgress();
    for (const std::string& reason : reasons)
        m_err << "orvane: " << reason << '\n';
    if (m_json) {
        m_out << "{\"step\":\"input\",\"outcome\":\"fail\",\"reason\":\"input-refused\",\"reasons\":[";
        for (std::size_t i = 0; i < reasons.size(); ++i)
            m_out << (i > 0 ? "," : "") << jsonString(reasons[i]);
        m_out << "]}\n";
    }
    m_out.flush();
}

void Reporter::portNotOpen(const std::string& port, const std::string& reason) {
    clearProgress();
    m_err << "orvane: " << port << ": " << reason << '\n';
    if (m_json)
        m_out << "{\"step\":\"open\",\"port\":" << jsonString(port)
              << ",\"outcome\":\"fail\",\"reason\":\"port-error\",\"detail\":" << jsonOrNull(reason) << "}\n";
    m_out.flush();
}

void Reporter::ports(const std::vector<PortStatus>& ports) {
    for (const PortStatus& p : ports) {
        if (m_json) {
            m_out << "{\"step\":\"port\",\"port\":" << jsonString(p.name)
                  << ",\"device\":" << jsonString(p.device)
                  << ",\"description\":" << jsonOrNull(p.description)
                  << ",\"available\":" << (p.available ? "true" : "false")
                  << ",\"reason\":" << jsonOrNull(p.reason);
            if (p.probed)
                m_out << ",\"module\":" << jsonOrNull(p.module) << ",\"serial\":" << jsonOrNull(p.serial)
                      << ",\"version\":" << jsonOrNull(p.version);
            m_out << "}\n";
            continue;
        }
        m_out << p.name << '\t' << p.device << '\t' << (p.description.empty() ? "-" : p.description) << '\t'
              << (p.available ? "available" : "unavailable: " + p.reason);
        if (p.probed && p.available) {
            m_out << '\t';
            if (p.module.empty())
                m_out << "no module answers";
            else
                m_out << p.module << " " << orNoSerial(p.serial) << " version " << p.version;
        }
        m_out << '\n';
    }
    m_out.flush();
}

void Reporter::note(const std::string& text) {
    clearProgress();
    m_err << "orvane: " << text << '\n';
    m_err.flush();
}

void Reporter::end(int exit, const Verdict& why) {
    clearProgress();
    if (!m_json) return;
    m_out << "{\"step\":\"end\",\"exit\":" << exit << ",\"reason\":" << jsonOrNull(reasonCode(why.reason))
          << ",\"detail\":" << jsonOrNull(why.detail) << "}\n";
    m_out.flush();
}

}  // namespace orvane::cli
