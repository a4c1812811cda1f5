#include "platform/qt/services/QtClock.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace orvane::qt {

std::string QtClock::shortDate() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

QString withoutTimeZone(const QString& format) {
    QString kept;
    bool literal = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) literal = !literal;  // quoted text, '' included, is copied
        if (literal || c != QLatin1Char('t')) {
            kept += c;
            continue;
        }
        // A zone field: drop it with the blanks before it.
        while (kept.endsWith(QLatin1Char(' ')))
            kept.chop(1);
    }
    return kept.trimmed();
}

std::string QtClock::timeOfDay() const {
    // The long time format is the one with seconds; its time-zone fields are dropped.
    const QString format = withoutTimeZone(QLocale::system().timeFormat(QLocale::LongFormat));
    return QLocale::system().toString(QTime::currentTime(), format).toStdString();
}

}  // namespace orvane::qt
