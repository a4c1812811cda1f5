#include "platform/linux/PortNumbering.h"

#include <algorithm>
#include <set>

namespace orvane::linux_ports {

std::vector<PortEntry> PortNumbering::number(const std::vector<SerialDevice>& devices) {
    std::vector<PortEntry> entries;
    std::set<std::string> listed;
    std::vector<const SerialDevice*> fresh;
    for (const SerialDevice& d : devices) {
        if (!listed.insert(d.device).second) continue;
        if (const auto known = m_numberOf.find(d.device); known != m_numberOf.end()) {
            entries.push_back({known->second, d.device, d.description});
            continue;
        }
        const auto fixed = fixedPortNumber(d.device);
        if (fixed && !m_deviceOf.contains(*fixed)) {
            bind(*fixed, d.device);
            entries.push_back({*fixed, d.device, d.description});
        } else {
            fresh.push_back(&d);
        }
    }

    std::sort(fresh.begin(), fresh.end(),
              [](const SerialDevice* a, const SerialDevice* b) { return comesBefore(a->device, b->device); });
    int next = kFirstFreePortNumber;
    for (const SerialDevice* d : fresh) {
        while (next <= kLastPortNumber && m_deviceOf.contains(next))
            ++next;
        if (next > kLastPortNumber) break;
        bind(next, d->device);
        entries.push_back({next, d->device, d->description});
    }
    std::sort(entries.begin(), entries.end(),
              [](const PortEntry& a, const PortEntry& b) { return a.number < b.number; });
    return entries;
}

std::optional<std::string> PortNumbering::deviceOf(int number) const {
    const auto bound = m_deviceOf.find(number);
    if (bound == m_deviceOf.end()) return std::nullopt;
    return bound->second;
}

void PortNumbering::bind(int number, const std::string& device) {
    m_numberOf[device] = number;
    m_deviceOf[number] = device;
}

}  // namespace orvane::linux_ports
