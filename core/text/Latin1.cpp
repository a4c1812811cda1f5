#include "core/text/Latin1.h"

namespace orvane::text {

std::string latin1ToUtf8(std::string_view bytes) {
    std::string text;
    appendLatin1AsUtf8(text, bytes);
    return text;
}

void appendLatin1AsUtf8(std::string& text, std::string_view bytes) {
    text.reserve(text.size() + bytes.size());
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
}

}  // namespace orvane::text
