#pragma once

#include <string>

namespace orvane {

// The local date and time as the system's short formats write them (for the operation log).
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::string shortDate() const = 0;
    virtual std::string timeOfDay() const = 0;
};

}  // namespace orvane
