#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::win {

// What a serial port's I/O thread hands over to the thread that owns the port: the bytes received
// and the events for the owner's handlers, in the order they happened. The I/O thread adds, the
// owner takes; a Windows event is signalled while an event waits, so that the owner's loop can
// wait for it together with its other handles.
class PortEvents {
public:
    enum class Kind { Received, Lost };
    struct Event {
        Kind kind = Kind::Received;
        std::string errorText;  // why the port was lost
    };

    PortEvents();
    ~PortEvents();
    PortEvents(const PortEvents&) = delete;
    PortEvents& operator=(const PortEvents&) = delete;

    // I/O thread: bytes arrived. One Received event stands for all bytes added until the owner
    // takes it.
    void addReceived(std::string_view bytes);
    // I/O thread: the port failed on its own; nothing follows.
    void addLost(std::string errorText);

    // Owner: the oldest event, or nothing (the wake event is then reset).
    std::optional<Event> take();
    // Owner: every byte received so far, emptying the input.
    std::string takeBytes();
    // Owner: forgets the bytes and the events (the port was closed).
    void clear();

    // The manual-reset Windows event (a HANDLE) that is set while an event waits.
    void* wakeEvent() const { return m_wake; }

private:
    void post(Event event);  // under the lock

    std::mutex m_mutex;
    std::deque<Event> m_events;
    std::string m_bytes;
    bool m_receivedWaiting = false;
    void* m_wake;
};

}  // namespace orvane::win
