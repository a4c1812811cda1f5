#pragma once

#include "core/window/Form1.h"

#include <QObject>
#include <QTimer>

#include <vector>

namespace orvane::qt {

// Runs the window's timers on QTimers. Arming a model timer (enabling it, or setting the interval
// of an enabled one) restarts its QTimer with the interval; disabling it stops the QTimer; each
// timeout ticks the model timer. A zero interval never ticks. Nothing runs before start().
class QtTimerDriver : public QObject {
    Q_OBJECT
public:
    explicit QtTimerDriver(Form1& form, QObject* parent = nullptr);

    // Starts the QTimers of the timers enabled now; from then on the driver follows the model.
    void start();

    // The QTimer behind a model timer (for tests).
    const QTimer* qtimer(const Timer& timer) const;

private:
    void arm(std::size_t index);

    struct Entry {
        Timer* model;
        QTimer* timer;
    };
    std::vector<Entry> m_entries;
    bool m_started = false;
};

}  // namespace orvane::qt
