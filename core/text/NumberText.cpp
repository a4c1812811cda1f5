#include "core/text/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace orvane::text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Largest exponent magnitude tracked while scanning; anything beyond it is far outside the double
// range either way, so saturating keeps the arithmetic in range for absurdly long exponents.
constexpr long kExponentCap = 1'000'000;

// The extent of the number at the start of a text and what is needed to tell overflow from
// underflow when the conversion reports the value out of range.
struct NumberSpan {
    std::size_t begin = 0;  // first character handed to the conversion (after a '+' sign)
    std::size_t end = 0;    // one past the last character of the number
    bool negative = false;
    bool anyNonZeroDigit = false;
    long magnitude = 0;  // decimal order of magnitude of the leading significant digit, approximately
};

std::optional<NumberSpan> scanNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;

    NumberSpan span;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        span.negative = text[pos] == '-';
        // The conversion accepts a '-' but not a '+', so a '+' is left out of the span.
        if (text[pos] == '+') ++pos;
        span.begin = pos;
        if (span.negative) ++pos;
    } else {
        span.begin = pos;
    }

    std::size_t mantissaDigits = 0;
    long integerDigitsAfterLeadingZeros = 0;
    long fractionLeadingZeros = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (text[pos] != '0') span.anyNonZeroDigit = true;
        if (span.anyNonZeroDigit && integerDigitsAfterLeadingZeros < kExponentCap) {
            ++integerDigitsAfterLeadingZeros;
        }
        ++mantissaDigits;
        ++pos;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            if (text[pos] != '0') {
                span.anyNonZeroDigit = true;
            } else if (!span.anyNonZeroDigit && fractionLeadingZeros < kExponentCap) {
                ++fractionLeadingZeros;
            }
            ++mantissaDigits;
            ++pos;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    span.end = pos;

    // An exponent belongs to the number only when at least one digit follows "E" and its sign.
    long exponent = 0;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        std::size_t expPos = pos + 1;
        bool expNegative = false;
        if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) {
            expNegative = text[expPos] == '-';
            ++expPos;
        }
        if (expPos < text.size() && isDigit(text[expPos])) {
            while (expPos < text.size() && isDigit(text[expPos])) {
                if (exponent < kExponentCap) exponent = exponent * 10 + (text[expPos] - '0');
                ++expPos;
            }
            if (expNegative) exponent = -exponent;
            span.end = expPos;
        }
    }

    span.magnitude = exponent + (integerDigitsAfterLeadingZeros > 0 ? integerDigitsAfterLeadingZeros
                                                                    : -fractionLeadingZeros);
    return span;
}

bool isTie(double value) {
    // A double sits exactly halfway between two four-decimal values only when its fractional part
    // is an odd multiple of 1/32; scaling by 32 is exact, so the test is exact as well.
    const double scaled = std::fabs(value) * 32.0;
    return std::isfinite(scaled) && std::fmod(scaled, 2.0) == 1.0;
}

// Rounds the magnitude digits in text away from zero by one unit in the last place.
void incrementLastDigit(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0) {
        --i;
        char& c = digits[i];
        if (!isDigit(c)) continue;
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    const std::size_t firstDigit = (!digits.empty() && digits[0] == '-') ? 1 : 0;
    digits.insert(firstDigit, 1, '1');
}

}  // namespace

double leadingNumber(std::string_view text) {
    const std::optional<NumberSpan> span = scanNumber(text);
    if (!span) return 0.0;

    const char* first = text.data() + span->begin;
    const char* last = text.data() + span->end;
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const bool overflow = span->anyNonZeroDigit && span->magnitude > 0;
        value = overflow ? HUGE_VAL : 0.0;
        return span->negative ? -value : value;
    }
    if (result.ec != std::errc{}) return 0.0;
    return value;
}

std::optional<double> wholeNumber(std::string_view text) {
    const std::optional<NumberSpan> span = scanNumber(text);
    if (!span) return std::nullopt;
    for (std::size_t pos = span->end; pos < text.size(); ++pos) {
        if (text[pos] != ' ' && text[pos] != '\t') return std::nullopt;
    }
    return leadingNumber(text);
}

std::string commaToPoint(std::string text) {
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    return text;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every finite double
    double rounded = below;
    if (fraction > 0.5) {
        rounded = below + 1.0;
    } else if (fraction == 0.5) {
        rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    }
    return std::copysign(rounded, value);
}

std::optional<std::int32_t> toInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < -2147483648.0 || whole > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

std::string registerText(std::int32_t value) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const std::uint32_t lowByte = static_cast<std::uint32_t>(value) & 0xFFu;
    return std::string{kHexDigits[lowByte >> 4], kHexDigits[lowByte & 0xFu]};
}

std::optional<std::string> registerText(double value) {
    const std::optional<std::int32_t> whole = toInt32(value);
    if (!whole) return std::nullopt;
    return registerText(*whole);
}

std::string formatFixed4(double value, char decimalSeparator) {
    // Fixed notation of the largest double needs 309 integer digits plus sign, point and decimals.
    char buffer[400];
    const bool tie = isTie(value);
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, tie ? 5 : 4);
    if (result.ec != std::errc{}) return {};
    std::string text(buffer, result.ptr);
    if (!std::isfinite(value)) return text;

    if (tie) {
        // The exact value ends in a 5 at the fifth decimal; the display rounds such halves away
        // from zero, whereas the conversion alone would round them to even.
        text.pop_back();
        incrementLastDigit(text);
    }
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    if (decimalSeparator != '.') {
        const std::size_t point = text.find('.');
        if (point != std::string::npos) text[point] = decimalSeparator;
    }
    return text;
}

std::string wholeNumberText(double value) {
    if (!std::isfinite(value)) return {};
    const double whole = std::trunc(value);
    if (whole < -9223372036854775808.0 || whole >= 9223372036854775808.0) return {};
    char buffer[24];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(whole));
    return std::string(buffer, result.ptr);
}

bool onRaster(double megahertz, double rasterHz) {
    const double hertz = roundHalfEven(megahertz * 1e6);
    if (!std::isfinite(hertz)) return false;
    // fmod is exact, so the test needs no integer conversion and cannot overflow.
    return std::fmod(hertz, rasterHz) == 0.0;
}

long long hexField(std::string_view field) {
    unsigned long long value = 0;
    for (const char c : field) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else {
            break;
        }
        // Saturate rather than wrap: a field longer than a long long can hold stays at the maximum.
        if (value > (static_cast<unsigned long long>(LLONG_MAX) - digit) / 16) {
            return LLONG_MAX;
        }
        value = value * 16 + digit;
    }
    return static_cast<long long>(value);
}

long long decimalField(std::string_view field) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) {
        negative = field[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < field.size() && isDigit(field[pos]); ++pos) {
        const int digit = field[pos] - '0';
        if (value > (LLONG_MAX - digit) / 10) return negative ? -LLONG_MAX : LLONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string printNumber(float value) {
    // Shortest fixed-notation digits that read back as the same float: never an exponent.
    char buffer[64];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc{}) return " 0 ";
    std::string digits(buffer, result.ptr);
    if (!digits.empty() && digits[0] == '-') {
        digits.erase(0, 1);
        // Negative zero prints like zero, with the blank in place of the sign.
        return (value == 0.0f ? " " : "-") + digits + " ";
    }
    return " " + digits + " ";
}

}  // namespace orvane::text
