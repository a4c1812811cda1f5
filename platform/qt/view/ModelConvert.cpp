#include "platform/qt/view/ModelConvert.h"

#include <cmath>

namespace orvane::qt {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr Color kSystemColorFlag = 0x80000000;

}  // namespace

int twipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int pixelsToTwips(int pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

QRect toPixels(const Rect& twips, double dpi) {
    return {twipsToPixels(twips.left, dpi), twipsToPixels(twips.top, dpi), twipsToPixels(twips.width, dpi),
            twipsToPixels(twips.height, dpi)};
}

QColor toQColor(Color color, const QPalette& palette) {
    // Only the window colour is used among the system colours; any other stands for the same.
    if ((color & kSystemColorFlag) != 0) return palette.color(QPalette::Base);
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QFont toQFont(const Font& font) {
    QFont result(toQString(font.family));
    result.setPointSizeF(font.points);
    result.setBold(font.bold);
    return result;
}

Qt::Alignment toQAlignment(Align align) {
    switch (align) {
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Right:
            return Qt::AlignRight;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace orvane::qt
