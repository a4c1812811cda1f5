#pragma once

#include "core/window/Control.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include <string>

namespace orvane::qt {

// Twips (1/1440 inch) to device-independent pixels at the screen's logical dpi, rounded to the
// nearest pixel: 15 twips a pixel at 96 dpi.
int twipsToPixels(int twips, double dpi);
int pixelsToTwips(int pixels, double dpi);
QRect toPixels(const Rect& twips, double dpi);

// A &H00BBGGRR colour of the model. The system window colour (&H80000005) is the palette's base
// colour, the background of entries.
QColor toQColor(Color color, const QPalette& palette);

QFont toQFont(const Font& font);
Qt::Alignment toQAlignment(Align align);

inline QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace orvane::qt
