#pragma once

#include <array>
#include <optional>
#include <string>

namespace orvane::tx {

// Fixed inputs of the transmitter computation, set once at start-up.
struct TxConstants {
    double refFrequency = 0;  // MHz
    std::string powcfg0Text;
    std::string powcfg1Text;
    std::string reserveText;
};

// The twelve register texts (rows PLLINT ... VAC1) of one channel frequency in MHz, computed in
// double precision in a fixed order of operations (the last bit of the fraction depends on it). Returns
// nothing when a value to be written does not fit a signed 32-bit integer (a frequency from about 2.79e10 MHz
// up, or infinite).
std::optional<std::array<std::string, 12>> channelRegisters(double frequencyMHz,
                                                            const TxConstants& constants);

}  // namespace orvane::tx
