#include "apps/orvane/ledger/Ledger.h"

#include <random>

namespace orvane::ledger {

std::string newUuid() {
    // random_device draws from the operating system's generator, so two processes (or stations)
    // started in the same instant still get different identifiers.
    std::random_device source;
    std::uniform_int_distribution<unsigned> byte(0, 255);
    std::array<unsigned, 16> b{};
    for (unsigned& value : b)
        value = byte(source);
    b[6] = (b[6] & 0x0Fu) | 0x40u;  // version 4
    b[8] = (b[8] & 0x3Fu) | 0x80u;  // the RFC 4122 variant
    constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kHex[b[i] >> 4];
        text += kHex[b[i] & 0x0Fu];
    }
    return text;
}

}  // namespace orvane::ledger
