#include "platform/win/services/LoopTimer.h"

#include <stdexcept>

// windows.h first: mmsystem.h builds on it.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace orvane::win {

namespace {

// Not in every SDK's headers yet; the value is the system's.
constexpr DWORD kHighResolution = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

}  // namespace

std::int64_t steadyMicros() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);  // never fails on Windows XP and later
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    // In two parts, so that counter * 1000000 cannot overflow after a long uptime.
    const std::int64_t seconds = counter.QuadPart / frequency;
    const std::int64_t rest = counter.QuadPart % frequency;
    return seconds * 1000000 + rest * 1000000 / frequency;
}

LoopTimer::LoopTimer(Kind preferred) {
    if (preferred == Kind::HighResolution)
        m_handle = CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS);
    if (!m_handle) {
        // Systems before Windows 10 1803 refuse the flag (ERROR_INVALID_PARAMETER).
        m_kind = Kind::PlainRaisedPeriod;
        m_handle = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    if (!m_handle) throw std::runtime_error("no waitable timer for the event loop");
}

LoopTimer::~LoopTimer() {
    CloseHandle(m_handle);
}

void LoopTimer::setIn(std::int64_t micros) {
    LARGE_INTEGER due;
    due.QuadPart = -micros * 10;  // negative: relative, in 100 ns units
    SetWaitableTimer(m_handle, &due, 0, nullptr, nullptr, FALSE);
}

void LoopTimer::cancel() {
    CancelWaitableTimer(m_handle);
}

LoopTimer::RaisedPeriod::RaisedPeriod(const LoopTimer& timer) {
    if (timer.kind() == Kind::PlainRaisedPeriod) m_raised = timeBeginPeriod(1) == TIMERR_NOERROR;
}

LoopTimer::RaisedPeriod::~RaisedPeriod() {
    if (m_raised) timeEndPeriod(1);
}

}  // namespace orvane::win
