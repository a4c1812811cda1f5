#include "platform/qt/view/WindowWidget.h"

#include "platform/qt/view/ModelConvert.h"

#include <QCloseEvent>
#include <QMoveEvent>
#include <QPointer>

#include <algorithm>

namespace orvane::qt {

namespace {

// Borders and title bar of a typical window frame, for the size before the window is shown.
const QMargins kEstimatedFrame(4, 26, 4, 4);

}  // namespace

WindowWidget::WindowWidget(const Window& preview, Window& model, double dpi, std::function<void()> onClose)
    : m_model(model), m_shown(&preview), m_dpi(dpi), m_onClose(std::move(onClose)) {
    setObjectName(toQString(model.name));
    for (Prop prop : {Prop::Text, Prop::Font, Prop::Geometry})
        apply(prop);
}

void WindowWidget::follow() {
    if (m_following) return;
    m_shown = &m_model;
    m_following = true;
    for (Prop prop : {Prop::Text, Prop::Font, Prop::Geometry})
        apply(prop);
    QPointer<WindowWidget> self(this);
    m_model.observe([self](Prop prop, int) {
        if (self) self->apply(prop);
    });
}

QMargins WindowWidget::frameMargins() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    if (!isVisible() || outer == inner) return kEstimatedFrame;
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QSize WindowWidget::outerSizePixels() const {
    return {twipsToPixels(m_shown->width(), m_dpi), twipsToPixels(m_shown->height(), m_dpi)};
}

QPoint WindowWidget::positionPixels() const {
    return {twipsToPixels(m_shown->left(), m_dpi), twipsToPixels(m_shown->top(), m_dpi)};
}

void WindowWidget::apply(Prop prop) {
    switch (prop) {
        case Prop::Text: {
            const QString title = toQString(m_shown->caption());
            if (windowTitle() != title) setWindowTitle(title);
            break;
        }
        case Prop::Font: {
            const QFont font = toQFont(m_shown->font());
            if (this->font() != font) setFont(font);
            break;
        }
        case Prop::Geometry:
            showSize();
            showPosition();
            break;
        default:
            break;
    }
}

void WindowWidget::showSize() {
    const QMargins frame = frameMargins();
    const QSize outer = outerSizePixels();
    const QSize client(std::max(0, outer.width() - frame.left() - frame.right()),
                       std::max(0, outer.height() - frame.top() - frame.bottom()));
    // The layout is fixed in twips: the window keeps the size the model gives it.
    if (size() != client || minimumSize() != client || maximumSize() != client) setFixedSize(client);
}

void WindowWidget::showPosition() {
    const QPoint wanted = positionPixels();
    if (pos() != wanted) move(wanted);
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!m_following) return;
    // The model keeps twips; a position that is the model's own in pixels leaves it as it is, so
    // a position in twips that is not a whole pixel survives.
    if (pos() == positionPixels()) return;
    Rect geometry = m_model.geometry();
    geometry.left = pixelsToTwips(pos().x(), m_dpi);
    geometry.top = pixelsToTwips(pos().y(), m_dpi);
    m_model.setGeometry(geometry);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        if (m_onClose) m_onClose();
    }
    event->accept();
}

}  // namespace orvane::qt
