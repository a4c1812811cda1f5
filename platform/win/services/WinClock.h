#pragma once

#include "core/platform/IClock.h"

namespace orvane::win {

// The local date and time of day in the user's short date format and time format (Windows' time
// formats have no time-zone field), as UTF-8.
class WinClock final : public IClock {
public:
    std::string shortDate() const override;
    std::string timeOfDay() const override;
};

}  // namespace orvane::win
