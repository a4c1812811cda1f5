#include "platform/win/services/WinClock.h"

#include "platform/win/services/TextConvert.h"

#include <windows.h>

namespace orvane::win {

namespace {

// The text a Get...FormatEx call writes, asked first for its length.
template <typename Format>
std::string formatted(Format format) {
    const int size = format(nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = format(text.data(), size);
    if (written <= 0) return {};
    text.resize(static_cast<std::size_t>(written - 1));  // without the terminating zero
    return narrow(text);
}

}  // namespace

std::string WinClock::shortDate() const {
    return formatted([](wchar_t* out, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, out, size,
                               nullptr);
    });
}

std::string WinClock::timeOfDay() const {
    return formatted([](wchar_t* out, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, out, size);
    });
}

}  // namespace orvane::win
