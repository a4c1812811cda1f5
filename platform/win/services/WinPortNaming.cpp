#include "platform/win/services/WinPortNaming.h"

#include "platform/win/services/ComName.h"

namespace orvane::win {

PortChoice WinPortNaming::parse(std::string_view text) const {
    PortChoice choice;
    if (const auto number = comNumberOf(text)) {
        choice.kind = PortChoice::Kind::Number;
        choice.number = *number;
    }
    return choice;
}

std::string WinPortNaming::name(int number) const {
    return comName(number);
}

bool WinPortNaming::deviceExists(const std::string&) const {
    return false;
}

}  // namespace orvane::win
