#pragma once

#include "core/platform/IEventLoop.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QTimer;

namespace orvane::qt {

class TerminationSignals;

// The event loop of a Qt program (a QCoreApplication or QApplication must exist): callbacks and
// timers are precise QTimers, the clock a monotonic QElapsedTimer, and SIGTERM, SIGINT and SIGHUP
// reach the termination handler on the loop. A quit before the loop runs (a signal during start-up)
// ends the run as soon as it starts.
class QtEventLoop : public QObject, public IEventLoop {
    Q_OBJECT
public:
    explicit QtEventLoop(QObject* parent = nullptr);
    ~QtEventLoop() override;

    void post(int ms, std::function<void()> callback) override;
    TimerId startTimer(int ms, std::function<void()> callback) override;
    void stopTimer(TimerId id) override;
    long long now() const override;
    void onTermination(std::function<void()> handler) override;
    int run() override;
    void quit(int status) override;

private:
    QElapsedTimer m_clock;
    TimerId m_lastTimer = 0;
    std::map<TimerId, QTimer*> m_timers;
    std::function<void()> m_termination;
    std::unique_ptr<TerminationSignals> m_signals;
    bool m_running = false;
    std::optional<int> m_quitBeforeRun;
};

}  // namespace orvane::qt
