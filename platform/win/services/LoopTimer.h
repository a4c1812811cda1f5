#pragma once

#include <cstdint>

namespace orvane::win {

// Microseconds on the performance counter: a clock that never goes back.
std::int64_t steadyMicros();

// The waitable timer an event loop sleeps on until its next callback is due. A high-resolution
// timer where the system has one (Windows 10 1803 and later); otherwise a plain waitable timer,
// which is only as fine as the system's timer period: the loop then raises that period to 1 ms
// while it runs (a RaisedPeriod object).
class LoopTimer {
public:
    enum class Kind { HighResolution, PlainRaisedPeriod };

    // `preferred` PlainRaisedPeriod takes the plain timer even where a high-resolution one exists
    // (to measure it). Throws std::runtime_error when the system gives no timer.
    explicit LoopTimer(Kind preferred = Kind::HighResolution);
    ~LoopTimer();
    LoopTimer(const LoopTimer&) = delete;
    LoopTimer& operator=(const LoopTimer&) = delete;

    Kind kind() const { return m_kind; }
    // The timer's handle (a HANDLE), signalled when the time set has passed.
    void* handle() const { return m_handle; }
    // Signals the timer `micros` (above 0) from now, replacing the time set before.
    void setIn(std::int64_t micros);
    void cancel();

    // While one exists, the system timer period is 1 ms if the timer needs it (timeBeginPeriod).
    class RaisedPeriod {
    public:
        explicit RaisedPeriod(const LoopTimer& timer);
        ~RaisedPeriod();
        RaisedPeriod(const RaisedPeriod&) = delete;
        RaisedPeriod& operator=(const RaisedPeriod&) = delete;

    private:
        bool m_raised = false;
    };

private:
    void* m_handle = nullptr;
    Kind m_kind = Kind::HighResolution;
};

}  // namespace orvane::win
