#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::win {

// The number of a Windows serial port name: "COM12", or the device form "\\.\COM12", in any case;
// 1 to 255 without leading zeros, like the programs' own "COMn" names. Anything else has none.
std::optional<int> comNumberOf(std::string_view name);

// The path CreateFileW opens port n by, "\\.\COMn": the only form that reaches COM10 and above.
std::wstring comDevicePath(int number);

}  // namespace orvane::win
