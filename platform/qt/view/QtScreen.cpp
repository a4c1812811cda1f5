#include "platform/qt/view/QtScreen.h"

#include "platform/qt/view/ModelConvert.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvane::qt {

namespace {

int toTwips(int pixels) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(pixels, screen->logicalDotsPerInch()) : pixels * 15;
}

QSize available() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize(1024, 768);
}

}  // namespace

int QtScreen::widthTwips() const {
    return toTwips(available().width());
}
int QtScreen::heightTwips() const {
    return toTwips(available().height());
}

}  // namespace orvane::qt
