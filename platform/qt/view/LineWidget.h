#pragma once

#include <QColor>
#include <QWidget>

namespace orvane::qt {

// A straight line across the widget's box, from one corner to the opposite one, in one colour.
// `falling` draws top-left to bottom-right (a line that goes right and down, or flat), otherwise
// bottom-left to top-right.
class LineWidget : public QWidget {
    Q_OBJECT
public:
    explicit LineWidget(QWidget* parent) : QWidget(parent) {}

    void setLine(QColor color, bool falling);
    QColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
    bool m_falling = true;
};

}  // namespace orvane::qt
