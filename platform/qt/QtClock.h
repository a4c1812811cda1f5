#pragma once

#include "core/platform/IClock.h"

namespace orvane::qt {

// The local date in the system's short date format and the time of day in the system's time
// format (with seconds, without the time zone).
class QtClock : public IClock {
public:
    std::string shortDate() const override;
    std::string timeOfDay() const override;
};

}  // namespace orvane::qt
