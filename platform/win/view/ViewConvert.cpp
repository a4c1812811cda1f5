#include "platform/win/view/ViewConvert.h"

#include "platform/win/services/TextConvert.h"

#include <cmath>
#include <windows.h>

namespace orvane::win {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointsPerInch = 72.0;
constexpr Color kSystemColorFlag = 0x80000000;

}  // namespace

int twipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi) / kTwipsPerInch));
}

int pixelsToTwips(int pixels, int dpi) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

PixelRect toPixels(const Rect& twips, int dpi) {
    return {twipsToPixels(twips.left, dpi), twipsToPixels(twips.top, dpi), twipsToPixels(twips.width, dpi),
            twipsToPixels(twips.height, dpi)};
}

unsigned long toColorRef(Color color) {
    if ((color & kSystemColorFlag) != 0) return GetSysColor(COLOR_WINDOW);
    return color & 0x00FFFFFF;
}

long fontHeight(double points, int dpi) {
    // A size halfway between two pixel heights takes the smaller (9.75 pt at 144 dpi: 19 pixels,
    // not 20), so a caption that fits its box at 96 dpi still fits at 150 %.
    return -static_cast<long>(std::ceil(points * dpi / kPointsPerInch - 0.5));
}

std::wstring toWide(std::string_view utf8) {
    if (auto wide = widen(utf8)) return *std::move(wide);
    std::wstring latin1;
    for (char c : utf8)
        latin1 += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return latin1;
}

std::wstring toEditLines(std::string_view utf8) {
    const std::wstring text = toWide(utf8);
    std::wstring lines;
    lines.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            lines += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            lines += c;
        }
    }
    return lines;
}

}  // namespace orvane::win
