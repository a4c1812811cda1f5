#pragma once

#include "core/platform/IClock.h"

#include <QString>

namespace orvane::qt {

// A time format without its time-zone fields (t, tt, ...) and the blanks before them; text in
// single quotes is literal and kept as it is.
QString withoutTimeZone(const QString& format);

// The local date in the system's short date format and the time of day in the system's time
// format (with seconds, without the time zone).
class QtClock : public IClock {
public:
    std::string shortDate() const override;
    std::string timeOfDay() const override;
};

}  // namespace orvane::qt
