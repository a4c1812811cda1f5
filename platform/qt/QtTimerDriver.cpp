#include "platform/qt/QtTimerDriver.h"

#include <QPointer>

namespace orvane::qt {

QtTimerDriver::QtTimerDriver(Form1& form, QObject* parent) : QObject(parent) {
    for (Timer* model : form.timers()) {
        auto* timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setObjectName(QString::fromStdString(model->name));
        connect(timer, &QTimer::timeout, this, [model] { model->tick(); });
        m_entries.push_back({model, timer});
        const std::size_t index = m_entries.size() - 1;
        QPointer<QtTimerDriver> self(this);
        model->observe([self, index](Prop prop, int) {
            if (!self || !self->m_started) return;
            if (prop == Prop::Armed) self->arm(index);
            if (prop == Prop::Enabled && !self->m_entries[index].model->isEnabled())
                self->m_entries[index].timer->stop();
        });
    }
}

void QtTimerDriver::start() {
    m_started = true;
    for (std::size_t index = 0; index < m_entries.size(); ++index)
        if (m_entries[index].model->isEnabled()) arm(index);
}

void QtTimerDriver::arm(std::size_t index) {
    const Entry& entry = m_entries[index];
    if (entry.model->isEnabled() && entry.model->interval() > 0)
        entry.timer->start(entry.model->interval());
    else
        entry.timer->stop();
}

const QTimer* QtTimerDriver::qtimer(const Timer& timer) const {
    for (const Entry& entry : m_entries)
        if (entry.model == &timer) return entry.timer;
    return nullptr;
}

}  // namespace orvane::qt
