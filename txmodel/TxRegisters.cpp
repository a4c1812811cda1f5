#include "txmodel/TxRegisters.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace orvane::tx {

namespace {

// Scale of the 21-bit synthesiser fraction. Half a step below 2^21 keeps floor(F) within 21 bits.
constexpr double kFractionScale = 2097151.5;

constexpr double kDeviationKHz = 2.1;
constexpr int kFdevExponent = 3;
constexpr double kFdevDivisor = 190;

constexpr double kVacBandLimitMHz = 800;
constexpr double kVacMultiplierLowBand = 4;
constexpr double kVacMultiplierHighBand = 8;
constexpr double kVacHighOffset = 64;

// Frequency deviation register: mantissa of the deviation in fraction steps plus 32 x exponent.
double fdevValue(double refFrequency) {
    const double deviationHz = kDeviationKHz * 1000;
    const double q = (deviationHz / (refFrequency * 1e6)) * kFractionScale;
    const double mantissa = std::floor((((q - 0.5) * 64) / std::ldexp(1.0, kFdevExponent)) / kFdevDivisor);
    return mantissa + 32 * kFdevExponent;
}

}  // namespace

std::optional<std::array<std::string, 12>> channelRegisters(double frequencyMHz,
                                                            const TxConstants& constants) {
    const double f = frequencyMHz;
    const double n = f / constants.refFrequency;
    const double pllInt = std::floor(n);
    const double fraction = (n - pllInt) * kFractionScale;

    // The bytes are split in floating point from F itself; each floor drops what lies below the byte.
    const double frac2 = std::floor(fraction / 65536);
    const double frac1 = std::floor((fraction - 65536 * frac2) / 256);
    const double frac0 = std::floor((fraction - 65536 * frac2) - 256 * frac1);

    const double fdev = fdevValue(constants.refFrequency);

    // The synthesiser word rebuilt from the written registers, at the middle of its fraction step.
    const double nEstimate = pllInt + (std::floor(fraction) + 0.5) / kFractionScale;
    const double vac = f < kVacBandLimitMHz ? std::floor((nEstimate / kVacMultiplierLowBand) * 32 + 0.5)
                                            : std::floor((nEstimate / kVacMultiplierHighBand) * 32 + 0.5);
    const double vac1 = std::floor(vac / 256) + kVacHighOffset;
    const double vac0 = vac - 256 * std::floor(vac / 256);

    const auto pllIntText = text::registerText(pllInt);
    const auto frac0Text = text::registerText(frac0);
    const auto frac1Text = text::registerText(frac1);
    const auto frac2Text = text::registerText(frac2);
    const auto fdevText = text::registerText(fdev);
    const auto vac0Text = text::registerText(vac0);
    const auto vac1Text = text::registerText(vac1);
    if (!pllIntText || !frac0Text || !frac1Text || !frac2Text || !fdevText || !vac0Text || !vac1Text) {
        return std::nullopt;
    }

    return std::array<std::string, 12>{
        *pllIntText,
        *frac0Text,
        *frac1Text,
        *frac2Text,
        constants.powcfg0Text,
        constants.powcfg1Text,
        *fdevText,
        "70",
        "40",
        constants.reserveText,
        *vac0Text,
        *vac1Text,
    };
}

}  // namespace orvane::tx
