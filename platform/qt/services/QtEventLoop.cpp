#include "platform/qt/services/QtEventLoop.h"

#include "platform/qt/services/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>

namespace orvane::qt {

QtEventLoop::QtEventLoop(QObject* parent) : QObject(parent) {
    m_clock.start();
    m_signals = std::make_unique<TerminationSignals>([this] {
        if (m_termination)
            m_termination();
        else
            quit(130);
    });
}

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::post(int ms, std::function<void()> callback) {
    QTimer::singleShot(ms, Qt::PreciseTimer, this, std::move(callback));
}

IEventLoop::TimerId QtEventLoop::startTimer(int ms, std::function<void()> callback) {
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, std::move(callback));
    timer->start(ms);
    m_timers.emplace(++m_lastTimer, timer);
    return m_lastTimer;
}

void QtEventLoop::stopTimer(TimerId id) {
    const auto found = m_timers.find(id);
    if (found == m_timers.end()) return;
    found->second->stop();
    // Deleted once control is back in the loop: a timer may stop itself from its own timeout.
    found->second->deleteLater();
    m_timers.erase(found);
}

long long QtEventLoop::now() const {
    return m_clock.elapsed();
}

void QtEventLoop::onTermination(std::function<void()> handler) {
    m_termination = std::move(handler);
}

int QtEventLoop::run() {
    m_running = true;
    // Qt forgets an exit asked for before exec(); this one is kept and taken once the loop runs,
    // so the ordered shut-down still happens.
    if (m_quitBeforeRun)
        QTimer::singleShot(0, this, [status = *m_quitBeforeRun] { QCoreApplication::exit(status); });
    m_quitBeforeRun.reset();
    const int status = QCoreApplication::exec();
    m_running = false;
    return status;
}

void QtEventLoop::quit(int status) {
    if (!m_running) m_quitBeforeRun = status;
    QCoreApplication::exit(status);
}

}  // namespace orvane::qt
