#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::ledger {

// The ledger keeps times as UTC milliseconds since 1970; people read and give them in local time.

// "2026-12-07T09:51:02.123Z".
std::string utcText(std::int64_t ms);
// The moment of a text utcText writes; nothing for any other text.
std::optional<std::int64_t> parseUtcText(const std::string& text);
// "2026-12-07 10:51:02" in the computer's time zone.
std::string localText(std::int64_t ms);

// A moment given as "2026-12-07" (a date) or "2026-12-07T09:00" / "2026-12-07 09:00[:30]" in local
// time; nothing when the text is neither.
struct LocalMoment {
    std::int64_t ms = 0;        // the start of the day for a date
    std::int64_t dayEndMs = 0;  // for a date, the start of the next day; else the moment itself
};
std::optional<LocalMoment> parseLocalMoment(const std::string& text);

}  // namespace orvane::ledger
