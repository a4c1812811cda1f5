#include "platform/win/services/TextConvert.h"

#include <windows.h>

namespace orvane::win {

namespace {

// The conversions take int lengths; longer texts than that never reach a settings or log file.
bool fitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX / 2);
}

std::wstring toWide(UINT codePage, DWORD flags, std::string_view bytes, bool& ok) {
    ok = true;
    if (bytes.empty()) return {};
    ok = fitsInt(bytes.size());
    if (!ok) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    ok = size > 0;
    if (!ok) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), length, wide.data(), size);
    return wide;
}

std::string fromWide(UINT codePage, DWORD flags, std::wstring_view wide, const char* defaultChar) {
    if (wide.empty() || !fitsInt(wide.size())) return {};
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, defaultChar, nullptr);
    if (size <= 0) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), size, defaultChar, nullptr);
    return bytes;
}

}  // namespace

std::optional<std::wstring> widen(std::string_view utf8) {
    bool ok = false;
    std::wstring wide = toWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
    if (!ok) return std::nullopt;
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    return fromWide(CP_UTF8, 0, utf16, nullptr);
}

std::string ansiToUtf8(std::string_view ansi) {
    if (GetACP() == CP_UTF8) return std::string(ansi);
    bool ok = false;
    return narrow(toWide(CP_ACP, 0, ansi, ok));
}

std::string utf8ToAnsi(std::string_view utf8) {
    if (GetACP() == CP_UTF8) return std::string(utf8);
    // Not strict here: a stray byte that is not UTF-8 becomes U+FFFD, and so "?", rather than
    // failing the whole save.
    bool ok = false;
    const std::wstring wide = toWide(CP_UTF8, 0, utf8, ok);
    return fromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, "?");
}

}  // namespace orvane::win
