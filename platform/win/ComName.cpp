#include "platform/win/ComName.h"

#include "core/link/PortNames.h"

#include <algorithm>
#include <cctype>

namespace orvane::win {

std::optional<int> comNumberOf(std::string_view name) {
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (name.starts_with(kDevicePrefix)) name.remove_prefix(kDevicePrefix.size());
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return comPortNumber(upper);
}

std::wstring comDevicePath(int number) {
    return L"\\\\.\\COM" + std::to_wstring(number);
}

}  // namespace orvane::win
