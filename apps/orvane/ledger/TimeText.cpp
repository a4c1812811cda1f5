#include "apps/orvane/ledger/TimeText.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace orvane::ledger {

namespace {

std::tm localParts(std::time_t seconds) {
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &seconds);
#else
    localtime_r(&seconds, &parts);
#endif
    return parts;
}

// Milliseconds rounded down to whole seconds, also before 1970.
std::int64_t floorSeconds(std::int64_t ms) {
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

bool digits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// The local moment of the fields, or nothing when they name no day (2026-02-30) or time.
std::optional<std::int64_t> localMs(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;  // the time zone's rules decide whether summer time applies
    const std::tm asked = parts;
    const std::time_t seconds = std::mktime(&parts);
    if (seconds == static_cast<std::time_t>(-1) || parts.tm_mday != asked.tm_mday ||
        parts.tm_mon != asked.tm_mon)
        return std::nullopt;
    return static_cast<std::int64_t>(seconds) * 1000;
}

}  // namespace

std::string utcText(std::int64_t ms) {
    using namespace std::chrono;
    const sys_time<milliseconds> moment{milliseconds{ms}};
    const auto day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02lldZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                  static_cast<long long>(time.seconds().count()));
    std::string result = text;
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03lld", static_cast<long long>(time.subseconds().count()));
    result.insert(result.size() - 1, fraction);
    return result;
}

std::optional<std::int64_t> parseUtcText(const std::string& text) {
    using namespace std::chrono;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milli = 0;
    if (text.size() != 24 || !digits(text, 0, 4, year) || text[4] != '-' || !digits(text, 5, 2, month) ||
        text[7] != '-' || !digits(text, 8, 2, day) || text[10] != 'T' || !digits(text, 11, 2, hour) ||
        text[13] != ':' || !digits(text, 14, 2, minute) || text[16] != ':' || !digits(text, 17, 2, second) ||
        text[19] != '.' || !digits(text, 20, 3, milli) || text[23] != 'Z')
        return std::nullopt;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    const auto moment =
        sys_days{date} + hours{hour} + minutes{minute} + seconds{second} + milliseconds{milli};
    return static_cast<std::int64_t>(moment.time_since_epoch().count());
}

std::string localText(std::int64_t ms) {
    const std::tm parts = localParts(static_cast<std::time_t>(floorSeconds(ms)));
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

std::optional<LocalMoment> parseLocalMoment(const std::string& text) {
    int year = 0, month = 0, day = 0;
    if (!digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !digits(text, 5, 2, month) ||
        text[7] != '-' || !digits(text, 8, 2, day))
        return std::nullopt;
    if (text.size() == 10) {
        const auto start = localMs(year, month, day, 0, 0, 0);
        if (!start) return std::nullopt;
        // The next local midnight, found through mktime so a day of 23 or 25 hours ends right.
        std::tm parts{};
        parts.tm_year = year - 1900;
        parts.tm_mon = month - 1;
        parts.tm_mday = day + 1;
        parts.tm_isdst = -1;
        const std::time_t end = std::mktime(&parts);
        return LocalMoment{*start, static_cast<std::int64_t>(end) * 1000};
    }
    int hour = 0, minute = 0, second = 0;
    const bool separator = text[10] == 'T' || text[10] == ' ';
    if (!separator || !digits(text, 11, 2, hour) || text.size() < 16 || text[13] != ':' ||
        !digits(text, 14, 2, minute) || hour > 23 || minute > 59)
        return std::nullopt;
    if (text.size() != 16 &&
        (text.size() != 19 || text[16] != ':' || !digits(text, 17, 2, second) || second > 59))
        return std::nullopt;
    const auto at = localMs(year, month, day, hour, minute, second);
    if (!at) return std::nullopt;
    return LocalMoment{*at, *at};
}

}  // namespace orvane::ledger
