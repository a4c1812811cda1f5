#include "tools/modsim/core/Rig.h"

#include <cstdio>
#include <stdexcept>

namespace orvane::modsim {

Rig::Rig(const SimConfig& config, const std::vector<RigModule>& modules, int holdMs, int gapMs,
         std::int64_t startMs)
    : m_holdMs(holdMs), m_gapMs(gapMs), m_dueMs(startMs) {
    if (modules.empty()) throw std::invalid_argument("the rig needs at least one module");
    if (holdMs < 1 || gapMs < 0) throw std::invalid_argument("rig times out of range");
    // All modules are built now, so that a bad configuration stops the start, not the rig later.
    m_modules.reserve(modules.size());
    for (const RigModule& module : modules) {
        SimConfig own = config;
        own.serial = module.serial;
        own.faults = module.faults;
        m_modules.emplace_back(std::move(own));
    }
}

RigOutput Rig::advance(std::int64_t nowMs) {
    RigOutput out;
    // Each change happens at its due time, however late the caller comes: the times of a run do
    // not depend on when the caller happened to look.
    while (m_dueMs && *m_dueMs <= nowMs) {
        const std::int64_t at = *m_dueMs;
        if (m_on) {
            m_on = false;
            out.events.push_back({false, m_modules[m_placedCount - 1].config().serial, at});
            m_dueMs.reset();
            if (m_placedCount < m_modules.size()) m_dueMs = at + m_gapMs;
        } else {
            m_on = true;
            m_written = false;
            ++m_placedCount;
            out.events.push_back({true, m_modules[m_placedCount - 1].config().serial, at});
            m_dueMs.reset();  // the hold starts with the module's first command
        }
    }
    return out;
}

RigOutput Rig::feed(std::string_view bytes, std::int64_t nowMs) {
    RigOutput out = advance(nowMs);
    // A module that leaves after a command hears the bytes up to that command's end; the rest go
    // to the module put on at once after it.
    while (m_on && !bytes.empty()) {
        const std::string& leaveAfter = m_modules[m_placedCount - 1].config().faults.leaveAfter;
        std::size_t heard = bytes.size();
        if (const std::size_t at = leaveAfter.empty() ? std::string_view::npos : bytes.find(leaveAfter);
            at != std::string_view::npos) {
            if (const std::size_t end = bytes.find('\r', at); end != std::string_view::npos) heard = end + 1;
        }
        const SimOutput reply = m_modules[m_placedCount - 1].feed(bytes.substr(0, heard));
        bytes.remove_prefix(heard);
        bool leaves = false;
        for (const SimExchange& exchange : reply.exchanges) {
            if (!m_dueMs) m_dueMs = nowMs + m_holdMs;
            if (!m_written && exchange.command.starts_with("/W")) {
                m_written = true;
                m_dueMs = nowMs + m_holdMs;
            }
            leaves = leaves || (!leaveAfter.empty() && exchange.command.starts_with(leaveAfter));
        }
        out.reply.chunks.insert(out.reply.chunks.end(), reply.chunks.begin(), reply.chunks.end());
        out.reply.exchanges.insert(out.reply.exchanges.end(), reply.exchanges.begin(), reply.exchanges.end());
        out.reply.dropLink = out.reply.dropLink || reply.dropLink;
        if (!leaves) break;
        // Off now and the next one on at once, if there is one.
        const std::int64_t gap = m_gapMs;
        m_gapMs = 0;
        m_dueMs = nowMs;
        RigOutput swapped = advance(nowMs);
        m_gapMs = gap;
        out.events.insert(out.events.end(), swapped.events.begin(), swapped.events.end());
    }
    return out;
}

const ModuleSim* Rig::moduleOn() const {
    return m_on ? &m_modules[m_placedCount - 1] : nullptr;
}

std::span<const ModuleSim> Rig::placed() const {
    return std::span<const ModuleSim>(m_modules).first(m_placedCount);
}

std::string serialText(unsigned serial) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", serial & 0xFFFFFFu);
    return text;
}

std::string rigDumpLine(const ModuleSim& module) {
    std::string writes;
    std::string slots;
    for (int slot = 0; slot < ModuleSim::kSlotCount; ++slot) {
        if (slot > 0) {
            writes += ',';
            slots += ';';
        }
        writes += std::to_string(module.writeCount(slot));
        slots += module.flashSlotText(slot);
    }
    return "module " + serialText(module.config().serial) + " writes " + writes + " slots " + slots;
}

}  // namespace orvane::modsim
