#include "platform/qt/view/LineWidget.h"

#include <QPainter>

namespace orvane::qt {

void LineWidget::setLine(QColor color, bool falling) {
    if (color == m_color && falling == m_falling) return;
    m_color = color;
    m_falling = falling;
    update();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(m_color, 1));
    const int right = width() - 1;
    const int bottom = height() - 1;
    if (m_falling)
        painter.drawLine(0, 0, right, bottom);
    else
        painter.drawLine(0, bottom, right, 0);
}

}  // namespace orvane::qt
