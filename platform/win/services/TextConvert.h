#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::win {

// UTF-8, the programs' own text, to UTF-16 for Windows' wide calls; nothing for bytes that are not
// UTF-8 (a path so spelt names no file).
std::optional<std::wstring> widen(std::string_view utf8);

// UTF-16 from Windows to UTF-8.
std::string narrow(std::wstring_view utf16);

// File contents in the system's ANSI code page (CP_ACP), as the programs have always written their
// files on Windows, to UTF-8.
std::string ansiToUtf8(std::string_view ansi);

// UTF-8 to the ANSI code page. A character the code page cannot hold becomes "?": never a
// look-alike ("best fit"), which would turn a character into a different one without a trace.
// Bytes that are not UTF-8 also come out as "?". Where the code page is UTF-8 itself, the bytes
// stay as they are.
std::string utf8ToAnsi(std::string_view utf8);

}  // namespace orvane::win
