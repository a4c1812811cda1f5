#include "platform/win/services/ComIo.h"

#include "platform/win/services/WinError.h"

#include <stdexcept>
#include <utility>
#include <windows.h>

namespace orvane::win {

namespace {

constexpr const char* kGoneText = "The device is gone (unplugged or switched off).";

HANDLE newEvent(bool manualReset) {
    HANDLE event = CreateEventW(nullptr, manualReset ? TRUE : FALSE, FALSE, nullptr);
    if (!event) throw std::runtime_error("no event object for the serial port");
    return event;
}

}  // namespace

// One write on its way out: the bytes must stay where they are until it has finished.
struct ComIo::PendingWrite {
    std::string bytes;
    OVERLAPPED overlapped{};
};

ComIo::ComIo(void* handle, PortEvents& events)
    : m_handle(handle),
      m_events(events),
      m_stop(newEvent(true)),
      m_writeStarted(newEvent(false)),
      m_thread([this] { run(); }) {}

ComIo::~ComIo() {
    SetEvent(m_stop);
    m_thread.join();
    // Writes still going out are cancelled, and waited for, so that no OVERLAPPED is freed while
    // the system may still write into it.
    for (const auto& pending : m_writes) {
        CancelIoEx(m_handle, &pending->overlapped);
        DWORD ignored = 0;
        GetOverlappedResult(m_handle, &pending->overlapped, &ignored, TRUE);
        CloseHandle(pending->overlapped.hEvent);
    }
    CloseHandle(m_writeStarted);
    CloseHandle(m_stop);
}

unsigned long ComIo::write(std::string_view bytes) {
    auto pending = std::make_unique<PendingWrite>();
    pending->bytes.assign(bytes);
    pending->overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!pending->overlapped.hEvent) return GetLastError();
    // Under the lock, so that the writes are listed in the order they were started.
    const std::lock_guard lock(m_mutex);
    if (!WriteFile(m_handle, pending->bytes.data(), static_cast<DWORD>(pending->bytes.size()), nullptr,
                   &pending->overlapped)) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            CloseHandle(pending->overlapped.hEvent);
            return error;
        }
    }
    // Finished at once or pending: its event is set when it is done either way.
    m_writes.push_back(std::move(pending));
    SetEvent(m_writeStarted);
    return 0;
}

void* ComIo::oldestWriteEvent() {
    const std::lock_guard lock(m_mutex);
    return m_writes.empty() ? nullptr : m_writes.front()->overlapped.hEvent;
}

void ComIo::finishOldestWrite() {
    std::unique_ptr<PendingWrite> done;
    {
        const std::lock_guard lock(m_mutex);
        done = std::move(m_writes.front());
        m_writes.pop_front();
    }
    DWORD written = 0;
    const bool ok = GetOverlappedResult(m_handle, &done->overlapped, &written, FALSE) != FALSE;
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(done->overlapped.hEvent);
    if (!ok) {
        fail("The device stopped taking data: " + systemErrorText(error) + ".");
    } else if (written != done->bytes.size()) {
        fail("The device stopped taking data.");
    }
}

void ComIo::fail(std::string errorText) {
    if (m_failed.exchange(true)) return;
    m_events.addLost(std::move(errorText));
}

void ComIo::run() {
    OVERLAPPED read{};
    read.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!read.hEvent) {
        fail(systemErrorText(GetLastError()));
        return;
    }
    char buffer[4096];
    bool reading = false;
    while (!m_failed) {
        if (!reading) {
            ResetEvent(read.hEvent);
            // With the port's timeouts a read waits for the first byte, then returns after a short
            // pause in the data: each reply arrives whole or in few pieces.
            if (!ReadFile(m_handle, buffer, sizeof buffer, nullptr, &read) &&
                GetLastError() != ERROR_IO_PENDING) {
                fail(kGoneText);
                break;
            }
            reading = true;
        }
        HANDLE waits[4] = {m_stop, read.hEvent, m_writeStarted, nullptr};
        DWORD count = 3;
        if (HANDLE writeDone = oldestWriteEvent()) waits[count++] = writeDone;
        const DWORD woken = WaitForMultipleObjects(count, waits, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_OBJECT_0 + 1) {
            reading = false;
            DWORD got = 0;
            if (!GetOverlappedResult(m_handle, &read, &got, FALSE)) {
                fail(kGoneText);
            } else if (got > 0) {
                m_events.addReceived(std::string_view(buffer, got));
            } else {
                // Nothing read and no error: a device that went away shows when asked for its state.
                DWORD errors = 0;
                if (!ClearCommError(m_handle, &errors, nullptr)) fail(kGoneText);
            }
        } else if (woken == WAIT_OBJECT_0 + 3) {
            finishOldestWrite();
        } else if (woken == WAIT_FAILED) {
            fail(systemErrorText(GetLastError()));
        }
    }
    if (reading) {
        CancelIoEx(m_handle, &read);
        DWORD ignored = 0;
        GetOverlappedResult(m_handle, &read, &ignored, TRUE);
    }
    CloseHandle(read.hEvent);
}

}  // namespace orvane::win
