#pragma once

#include "core/window/Control.h"

#include <string>
#include <string_view>

namespace orvane::win {

// A rectangle in pixels: left, top, width, height.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Twips (1/1440 inch) to pixels at a dpi, rounded to the nearest pixel: 15 twips a pixel at 96 dpi,
// as the Linux view computes them.
int twipsToPixels(int twips, int dpi);
int pixelsToTwips(int pixels, int dpi);
PixelRect toPixels(const Rect& twips, int dpi);

// A model colour (&H00BBGGRR, which is a COLORREF as it stands) as a COLORREF. The system window
// colour (&H80000005), the only system colour the model uses, is the system's window background.
unsigned long toColorRef(Color color);

// The height of a font of that size in points at a dpi, as a LOGFONT wants it (negative: the
// character height without the internal leading); half a pixel rounds down.
long fontHeight(double points, int dpi);

// The model's UTF-8 as UTF-16 for Windows' W calls; a byte that is not UTF-8 shows as the Latin-1
// character of its value (the module's bytes, never lost).
std::wstring toWide(std::string_view utf8);

// A text for a multi-line edit control, which breaks lines only at CR LF: a lone CR or LF
// becomes CR LF.
std::wstring toEditLines(std::string_view utf8);

}  // namespace orvane::win
