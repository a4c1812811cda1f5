#pragma once

#include "core/platform/IEventLoop.h"
#include "platform/win/services/ConsoleTermination.h"
#include "platform/win/services/LoopTimer.h"
#include "platform/win/services/TimerQueue.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct tagMSG;

namespace orvane::win {

// The event loop of a program on Windows, on the thread that calls run(). It sleeps in one
// MsgWaitForMultipleObjectsEx on a waitable timer set for the next due callback (see LoopTimer),
// the console's requests to end the program, the handles given to watch(), and the thread's window
// messages, which it dispatches (windows made on this thread share the loop; a WM_QUIT ends run()
// with its exit code). All calls come from the loop's thread; callbacks run one at a time.
//
// Callbacks due together run in the order they were posted or their timers started (a timer's
// next period counting from its last one); a callback posted from inside a callback, even with 0,
// runs after it. Timer periods keep to the timer's own beat: each is due one interval after the
// one before was due, however late that one ran; a period the loop missed entirely (blocked
// longer than an interval) is skipped. now() is the performance counter in milliseconds.
class WinEventLoop final : public IEventLoop {
public:
    // `timer` PlainRaisedPeriod makes the loop sleep on a plain waitable timer even where the
    // system has a high-resolution one (to measure the difference).
    explicit WinEventLoop(LoopTimer::Kind timer = LoopTimer::Kind::HighResolution);
    ~WinEventLoop() override;
    WinEventLoop(const WinEventLoop&) = delete;
    WinEventLoop& operator=(const WinEventLoop&) = delete;

    void post(int ms, std::function<void()> callback) override;
    TimerId startTimer(int ms, std::function<void()> callback) override;
    void stopTimer(TimerId id) override;
    long long now() const override;
    // The handler runs on the loop for Ctrl-C, Ctrl-Break and the console being closed (see
    // ConsoleTermination); without one the loop quits with 130.
    void onTermination(std::function<void()> handler) override;
    int run() override;
    void quit(int status) override;

    // Runs `callback` on the loop whenever `handle` (a HANDLE that can be waited for, such as
    // WinSerialPort::wakeEvent(), with WinSerialPort::pump() as the callback) is signalled; the
    // callback must take the signal away (reset the event), or it runs again at once. Watching a
    // handle again replaces its callback. False when the loop already watches as many handles as
    // one wait can take (kMaxWatched).
    bool watch(void* handle, std::function<void()> callback);
    // Stops watching; a handle must be unwatched before it is closed.
    void unwatch(void* handle);
    static constexpr std::size_t kMaxWatched = 61;  // the wait's 63, less the timer and the console

    // A filter that may take a window message before it is translated and dispatched (a window's
    // Tab key handling, IsDialogMessage); it returns true for a message it took.
    void setMessageFilter(std::function<bool(tagMSG&)> filter) { m_messageFilter = std::move(filter); }

    // Which kind of waitable timer this loop sleeps on.
    LoopTimer::Kind timerKind() const { return m_timer.kind(); }

private:
    struct Watched {
        void* handle;
        std::shared_ptr<const std::function<void()>> callback;
    };

    void runDue();
    void waitOnce();
    void dispatchMessages();
    // Runs the callback of the watched handle that woke the loop, then of the others after it
    // that are signalled too, so that one busy handle cannot keep the others waiting.
    void dispatchWatched(std::size_t woken);
    const Watched* findWatched(void* handle) const;
    void callWatched(void* handle);
    void dropInvalidHandles();
    void terminationRequested();

    TimerQueue m_queue;
    LoopTimer m_timer;
    ConsoleTermination m_console;
    std::function<void()> m_termination;
    std::function<bool(tagMSG&)> m_messageFilter;
    std::vector<Watched> m_watched;
    std::optional<int> m_quit;
};

}  // namespace orvane::win
