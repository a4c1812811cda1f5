#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace orvane::qt {

// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit of the application, so that a session
// logout or a Ctrl+C in the terminal still runs the shut-down (the settings are saved). The signal
// handler only writes a byte to a pipe; the quit (or the reaction given) happens on the event loop.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    // Runs `onSignal` on the event loop for every signal instead of quitting.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_onSignal;
};

}  // namespace orvane::qt
