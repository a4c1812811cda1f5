#include "rxmodel/RxCounters.h"

#include "core/text/NumberText.h"

#include <cmath>

namespace orvane::rx {

namespace {

constexpr double kRasterHz = 12500;
constexpr double kMatchToleranceMHz = 1e-10;
// Absorbs floating-point error in the divide ratio so an exactly reachable frequency is not
// floored one step low.
constexpr double kCounterTolerance = 0.1;

}  // namespace

std::string stepCaption(std::string_view channelText) {
    const double fr = text::leadingNumber(channelText);
    return text::onRaster(fr, kRasterHz) ? "12.5" : "10.0";
}

std::optional<RxCounters> channelCounters(double f, double step, double refFrequency, int prescalerModulus,
                                          char decimalSeparator) {
    const double prescaler = prescalerModulus;

    const double lo = f - kIntermediateFrequency;
    const double n = std::floor((lo * 1000) / step + kCounterTolerance);
    const double loActual = (n * step) / 1000;

    const double r = std::floor((refFrequency * 1000) / step);
    const double rHi = std::floor(r / 256);
    const double rLo = r - 256 * rHi;

    const double m = std::floor(n / prescaler);
    const double mHi = std::floor(m / 256);
    const double mLo = m - 256 * mHi;

    const double a = n - m * prescaler;

    // Every counter must be a whole number a 32-bit register can hold; huge or infinite
    // frequencies (and a zero step) give nothing rather than garbage bytes.
    for (const double value : {n, r, rHi, rLo, m, mHi, mLo, a}) {
        if (!text::toInt32(value)) return std::nullopt;
    }

    RxCounters counters;
    counters.n = n;
    counters.loActual = loActual;
    counters.r = r;
    counters.m = m;
    counters.a = a;
    counters.loText = text::formatFixed4(loActual, decimalSeparator);
    counters.rText = text::wholeNumberText(r);
    counters.mText = text::wholeNumberText(m);
    counters.aText = text::wholeNumberText(a);
    counters.grid = {text::registerText(*text::toInt32(rLo)), text::registerText(*text::toInt32(rHi)),
                     text::registerText(*text::toInt32(mLo)), text::registerText(*text::toInt32(mHi)),
                     text::registerText(*text::toInt32(a))};
    return counters;
}

bool needsCorrection(double shownFrequency, double loActual) {
    return std::fabs(shownFrequency - (loActual + kIntermediateFrequency)) > kMatchToleranceMHz;
}

}  // namespace orvane::rx
