#include "platform/qt/QtClock.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace orvane::qt {

std::string QtClock::shortDate() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string QtClock::timeOfDay() const {
    // The long time format is the one with seconds; its time-zone part ("t") is dropped.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(QTime::currentTime(), format.trimmed()).toStdString();
}

}  // namespace orvane::qt
