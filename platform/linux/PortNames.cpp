#include "platform/linux/PortNames.h"

#include <array>
#include <tuple>

namespace orvane::linux_ports {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number of at most three digits without leading zeros, or nothing.
std::optional<int> plainNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3 || digits.front() == '0') return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The trailing decimal digits of a name split off: "/dev/ttyUSB12" -> ("/dev/ttyUSB", 12). A name
// without trailing digits gives -1; an absurdly long digit run counts as the largest number.
std::pair<std::string_view, long long> splitTrailingNumber(std::string_view name) {
    std::size_t start = name.size();
    while (start > 0 && isDigit(name[start - 1]))
        --start;
    if (start == name.size()) return {name, -1};
    long long number = 0;
    for (std::size_t i = start; i < name.size(); ++i) {
        if (number > 100000000000LL) return {name.substr(0, start), number};
        number = number * 10 + (name[i] - '0');
    }
    return {name.substr(0, start), number};
}

struct FixedRange {
    std::string_view prefix;
    long long count;
    int first;
};

constexpr std::array<FixedRange, 3> kFixedRanges{{
    {"/dev/ttyS", 4, 1},
    {"/dev/ttyUSB", 6, 5},
    {"/dev/ttyACM", 6, 11},
}};

}  // namespace

std::optional<int> comPortNumber(std::string_view text) {
    if (!text.starts_with("COM")) return std::nullopt;
    const auto number = plainNumber(text.substr(3));
    if (!number || *number < kFirstPortNumber || *number > kLastPortNumber) return std::nullopt;
    return number;
}

std::string comPortName(int number) {
    return "COM" + std::to_string(number);
}

std::optional<int> fixedPortNumber(std::string_view device) {
    const auto [stem, number] = splitTrailingNumber(device);
    const std::string_view digits = device.substr(stem.size());
    if (number < 0 || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    for (const FixedRange& range : kFixedRanges) {
        if (stem == range.prefix && number < range.count) return range.first + static_cast<int>(number);
    }
    return std::nullopt;
}

bool comesBefore(std::string_view a, std::string_view b) {
    const auto key = [](std::string_view device) {
        const auto [stem, number] = splitTrailingNumber(device);
        return std::make_tuple(stem, number, device);
    };
    return key(a) < key(b);
}

}  // namespace orvane::linux_ports
