#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::win {

// The highest COM number Windows hands out.
inline constexpr int kLastComNumber = 4096;

// The number of a Windows serial port name: "COM12", or the device form "\\.\COM12", in any case;
// 1 to 4096 without leading zeros. Anything else has none.
std::optional<int> comNumberOf(std::string_view name);

// The system's own name of port n: "COM12".
std::string comName(int number);

// The path CreateFileW opens port n by, "\\.\COMn": the only form that reaches COM10 and above.
std::wstring comDevicePath(int number);

}  // namespace orvane::win
