#pragma once

// The reply-line extraction written out step by step, straight from its description and without
// any care for speed: the oracle the fast extraction is checked against (unit test and fuzz target).

#include <functional>
#include <string>
#include <string_view>

namespace orvane::test {

// One receive event: append the chunk, then repeatedly: delete up to a later "*" that comes before
// the CR; wait when there is no "*" or no CR; else hand out the line and delete through its CR.
// Stops early when onLine returns false (the handler stopped); the rest waits in the buffer.
inline void referenceEvent(std::string& buffer, std::string_view chunk,
                           const std::function<bool(std::string_view)>& onLine) {
    buffer += chunk;
    for (;;) {
        const std::size_t p1 = buffer.find('*');
        const std::size_t p2 = p1 == std::string::npos ? p1 : buffer.find('*', p1 + 1);
        const std::size_t pc = p1 == std::string::npos ? p1 : buffer.find('\r', p1 + 1);
        if (p2 != std::string::npos && pc != std::string::npos && p2 < pc) {
            buffer.erase(0, p2);
            continue;
        }
        if (p1 == std::string::npos || pc == std::string::npos) return;
        const std::string line = buffer.substr(p1, pc - p1);
        buffer.erase(0, pc + 1);
        if (!onLine(line)) return;
    }
}

}  // namespace orvane::test
