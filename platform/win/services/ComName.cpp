#include "platform/win/services/ComName.h"

#include <algorithm>
#include <cctype>

namespace orvane::win {

std::optional<int> comNumberOf(std::string_view name) {
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (name.starts_with(kDevicePrefix)) name.remove_prefix(kDevicePrefix.size());
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    if (!upper.starts_with("COM")) return std::nullopt;
    const std::string_view digits = std::string_view(upper).substr(3);
    if (digits.empty() || digits.size() > 4 || digits.front() == '0') return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number > kLastComNumber) return std::nullopt;
    return number;
}

std::string comName(int number) {
    return "COM" + std::to_string(number);
}

std::wstring comDevicePath(int number) {
    return L"\\\\.\\COM" + std::to_wstring(number);
}

}  // namespace orvane::win
