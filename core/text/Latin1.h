#pragma once

#include <string>
#include <string_view>

namespace orvane::text {

// Bytes from the module are single-byte text: each byte is the character of the same code
// (Latin-1). The window's texts are UTF-8, so a module's bytes show as the same characters
// wherever they appear (Term, Version, the factory data). ASCII is unchanged.
std::string latin1ToUtf8(std::string_view bytes);
// The same, appended to `text`.
void appendLatin1AsUtf8(std::string& text, std::string_view bytes);

}  // namespace orvane::text
