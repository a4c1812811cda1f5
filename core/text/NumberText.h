#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {

// Reads the number at the start of a text: leading blanks (space, tab) skipped, then an optional
// sign, digits, at most one "." with further digits and an optional exponent ("E" or "e", optional
// sign, digits). Reading stops at the first character that does not fit, so "868,3" reads as 868.
// A text without a number reads as 0. Never depends on the process locale.
// A magnitude beyond the double range (1E400) reads as +/-infinity; one below it as 0.
double leadingNumber(std::string_view text);

// The number when the whole text, blanks around it aside, is one number of the leading-number
// rule ("1800", "-60", "+1.5e3", ".5"); nothing otherwise ("", "abc", "12px", "1E", "1,5", "inf").
std::optional<double> wholeNumber(std::string_view text);

// The text with every decimal comma made a point: the form in which the programs store and
// compute frequency texts.
std::string commaToPoint(std::string text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The whole number as a signed 32-bit integer, or nothing when it is not finite or out of range.
// The value is truncated toward zero first; callers pass whole numbers.
std::optional<std::int32_t> toInt32(double value);

// Register text: the signed 32-bit value in upper-case hexadecimal, two's complement, "00" put in
// front, the last two characters kept (5 -> "05", 0x10B -> "0B", -1 -> "FF").
std::string registerText(std::int32_t value);

// Register text of a whole double, or nothing when it does not fit a signed 32-bit integer.
std::optional<std::string> registerText(double value);

// Fixed four decimals with no leading zeros beyond one ("868.3000", "0.0125", "-1.5000"), the
// decimal separator given. Used for the frequency texts the programs write themselves.
std::string formatFixed4(double value, char decimalSeparator = '.');

// A whole number in plain decimal ("1700", "-14"); empty when it does not fit 64 bits.
std::string wholeNumberText(double value);

// True when the frequency in MHz, converted to whole hertz (rounded half to even), is a multiple of
// rasterHz. A frequency whose hertz count is not finite is never on the raster.
bool onRaster(double megahertz, double rasterHz);

// Hexadecimal field of a reply line: digits 0-9, A-F, a-f read until the first other character;
// no leading digit reads as 0. No sign, no blanks.
long long hexField(std::string_view field);

// Decimal field of a reply line: an optional sign, then digits 0-9 until the first other character;
// no digit reads as 0.
long long decimalField(std::string_view field);

// The number as the settings file prints it: a blank for the sign of zero and positive values or
// "-", the plain decimal digits (no exponent, no thousands separator), then one blank.
// 1800 -> " 1800 ", -60 -> "-60 ". A fractional part is written with ".".
std::string printNumber(float value);

}  // namespace orvane::text
