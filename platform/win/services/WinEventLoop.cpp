#include "platform/win/services/WinEventLoop.h"

#include <algorithm>
#include <utility>
#include <windows.h>

namespace orvane::win {

namespace {

constexpr std::size_t kOwnHandles = 2;  // the console's requests, the timer

}  // namespace

WinEventLoop::WinEventLoop(LoopTimer::Kind timer) : m_timer(timer) {}

WinEventLoop::~WinEventLoop() = default;

void WinEventLoop::post(int ms, std::function<void()> callback) {
    m_queue.add(steadyMicros() + std::max(ms, 0) * 1000LL, std::move(callback));
}

IEventLoop::TimerId WinEventLoop::startTimer(int ms, std::function<void()> callback) {
    const long long interval = std::max(ms, 1) * 1000LL;
    return m_queue.addTimer(steadyMicros() + interval, interval, std::move(callback));
}

void WinEventLoop::stopTimer(TimerId id) {
    m_queue.stop(id);
}

long long WinEventLoop::now() const {
    return steadyMicros() / 1000;
}

void WinEventLoop::onTermination(std::function<void()> handler) {
    m_termination = std::move(handler);
}

int WinEventLoop::run() {
    m_quit.reset();
    const LoopTimer::RaisedPeriod raised(m_timer);
    while (!m_quit) {
        runDue();
        if (!m_quit) waitOnce();
    }
    m_timer.cancel();
    return *m_quit;
}

void WinEventLoop::quit(int status) {
    m_quit = status;
}

bool WinEventLoop::watch(void* handle, std::function<void()> callback) {
    auto shared = std::make_shared<const std::function<void()>>(std::move(callback));
    for (Watched& watched : m_watched) {
        if (watched.handle != handle) continue;
        watched.callback = std::move(shared);
        return true;
    }
    if (m_watched.size() >= kMaxWatched) return false;
    m_watched.push_back({handle, std::move(shared)});
    return true;
}

void WinEventLoop::unwatch(void* handle) {
    std::erase_if(m_watched, [handle](const Watched& w) { return w.handle == handle; });
}

void WinEventLoop::runDue() {
    // What falls due, or is posted, while these run waits for the next round, after the handles
    // and messages have had their turn.
    const long long now = steadyMicros();
    const std::uint64_t mark = m_queue.mark();
    while (!m_quit) {
        const TimerQueue::Callback callback = m_queue.take(now, mark);
        if (!callback) break;
        (*callback)();
    }
}

void WinEventLoop::waitOnce() {
    HANDLE handles[kOwnHandles + kMaxWatched];
    DWORD count = 0;
    handles[count++] = m_console.requestEvent();
    handles[count++] = m_timer.handle();
    for (const Watched& watched : m_watched)
        handles[count++] = watched.handle;

    DWORD timeout = INFINITE;
    if (const std::optional<long long> due = m_queue.nextDue()) {
        const long long wait = *due - steadyMicros();
        if (wait > 0)
            m_timer.setIn(wait);
        else
            timeout = 0;  // due already: only look whether anything else is waiting
    }
    const DWORD woken =
        MsgWaitForMultipleObjectsEx(count, handles, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0) {
        terminationRequested();
    } else if (woken >= WAIT_OBJECT_0 + kOwnHandles && woken < WAIT_OBJECT_0 + count) {
        dispatchWatched(woken - WAIT_OBJECT_0 - kOwnHandles);
    } else if (woken == WAIT_OBJECT_0 + count) {
        dispatchMessages();
    } else if (woken == WAIT_FAILED) {
        dropInvalidHandles();
    }
    // The timer's signal needs nothing here: the next round runs what is due.
}

void WinEventLoop::terminationRequested() {
    if (!m_termination) {
        quit(130);
        return;
    }
    const std::function<void()> handler = m_termination;  // it may set another handler
    handler();
}

void WinEventLoop::dispatchMessages() {
    MSG message;
    while (!m_quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit(static_cast<int>(message.wParam));
            return;
        }
        if (m_messageFilter && m_messageFilter(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WinEventLoop::dispatchWatched(std::size_t woken) {
    // The callbacks may watch and unwatch: the handles of this round are taken first.
    std::vector<void*> round;
    for (std::size_t i = woken; i < m_watched.size(); ++i)
        round.push_back(m_watched[i].handle);
    callWatched(round.front());
    for (std::size_t i = 1; i < round.size() && !m_quit; ++i) {
        // Unwatched by an earlier callback of the round: not waited for (that would take the
        // signal of an auto-reset event away from its new owner).
        if (findWatched(round[i]) && WaitForSingleObject(round[i], 0) == WAIT_OBJECT_0) callWatched(round[i]);
    }
}

const WinEventLoop::Watched* WinEventLoop::findWatched(void* handle) const {
    const auto found = std::find_if(m_watched.begin(), m_watched.end(),
                                    [handle](const Watched& w) { return w.handle == handle; });
    return found == m_watched.end() ? nullptr : &*found;
}

void WinEventLoop::callWatched(void* handle) {
    const Watched* watched = findWatched(handle);
    if (!watched) return;
    const auto callback = watched->callback;  // kept while it runs, even if it unwatches itself
    (*callback)();
}

void WinEventLoop::dropInvalidHandles() {
    // A handle closed while still watched fails every wait; it can no longer be signalled anyway.
    std::erase_if(m_watched,
                  [](const Watched& w) { return WaitForSingleObject(w.handle, 0) == WAIT_FAILED; });
}

}  // namespace orvane::win
