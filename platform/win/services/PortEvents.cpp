#include "platform/win/services/PortEvents.h"

#include <stdexcept>
#include <utility>
#include <windows.h>

namespace orvane::win {

PortEvents::PortEvents() : m_wake(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!m_wake) throw std::runtime_error("no event object for the serial port");
}

PortEvents::~PortEvents() {
    CloseHandle(m_wake);
}

void PortEvents::addReceived(std::string_view bytes) {
    const std::lock_guard lock(m_mutex);
    m_bytes.append(bytes);
    if (m_receivedWaiting) return;
    m_receivedWaiting = true;
    post({Kind::Received, {}});
}

void PortEvents::addLost(std::string errorText) {
    const std::lock_guard lock(m_mutex);
    post({Kind::Lost, std::move(errorText)});
}

void PortEvents::post(Event event) {
    m_events.push_back(std::move(event));
    SetEvent(m_wake);
}

std::optional<PortEvents::Event> PortEvents::take() {
    const std::lock_guard lock(m_mutex);
    if (m_events.empty()) {
        // Reset under the lock: an event added later sets it again.
        ResetEvent(m_wake);
        return std::nullopt;
    }
    Event event = std::move(m_events.front());
    m_events.pop_front();
    if (event.kind == Kind::Received) m_receivedWaiting = false;
    return event;
}

std::string PortEvents::takeBytes() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_bytes, std::string());
}

void PortEvents::clear() {
    const std::lock_guard lock(m_mutex);
    m_events.clear();
    m_bytes.clear();
    m_receivedWaiting = false;
    ResetEvent(m_wake);
}

}  // namespace orvane::win
