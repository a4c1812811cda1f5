#pragma once

#include "platform/win/services/PortEvents.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace orvane::win {

// The I/O of one open serial port, a handle opened for overlapped I/O (which this does not own).
// A thread of its own keeps a read pending and hands what arrives to the events, and watches the
// overlapped writes that write() starts on the caller's thread. A failed read, or a write that
// fails on its way out, reports the port lost once and ends the I/O. Destruction cancels what is
// still pending (unsent bytes too) and waits for it.
class ComIo {
public:
    ComIo(void* handle, PortEvents& events);
    ~ComIo();
    ComIo(const ComIo&) = delete;
    ComIo& operator=(const ComIo&) = delete;

    // Starts writing the bytes and returns without waiting for them to go out: 0, or the Windows
    // error code when the write failed at once.
    unsigned long write(std::string_view bytes);

    // True once the port was reported lost.
    bool failed() const { return m_failed.load(); }

private:
    struct PendingWrite;

    void run();
    // The event of the oldest write still going out, or null. Writes finish in the order they
    // were started, so the thread waits for that one only.
    void* oldestWriteEvent();
    void finishOldestWrite();
    void fail(std::string errorText);

    void* m_handle;
    PortEvents& m_events;
    void* m_stop;          // manual-reset event: the thread ends
    void* m_writeStarted;  // auto-reset event: a write was added
    std::mutex m_mutex;    // guards m_writes
    std::deque<std::unique_ptr<PendingWrite>> m_writes;
    std::atomic<bool> m_failed{false};
    std::thread m_thread;  // last: starts when everything above is ready
};

}  // namespace orvane::win
