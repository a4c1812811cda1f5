#include "platform/qt/view/SimpleBindings.h"

#include "platform/qt/view/ModelConvert.h"

#include <QFontMetrics>
#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace orvane::qt {

FrameBinding::FrameBinding(Frame& frame, QGroupBox* box, const ViewContext& context)
    : ControlBinding(frame, box, context), m_frame(frame), m_box(box) {}

void FrameBinding::applyAll() {
    apply(Prop::Text, -1);
    showPresence();
}

void FrameBinding::showPresence() {
    const bool shown = m_frame.visible() && m_frame.onClientArea();
    if (m_box->isHidden() == !shown) return;
    m_box->setVisible(shown);
    wrote();
}

void FrameBinding::apply(Prop prop, int index) {
    if (prop == Prop::Geometry || prop == Prop::Visible) {
        ControlBinding::apply(prop, index);
        return showPresence();
    }
    if (prop != Prop::Text) return ControlBinding::apply(prop, index);
    const QString title = toQString(m_control.caption());
    if (m_box->title() == title) return;
    m_box->setTitle(title);
    wrote();
}

LabelBinding::LabelBinding(Label& label, QLabel* widget, const ViewContext& context)
    : ControlBinding(label, widget, context), m_label(widget) {
    widget->setTextFormat(Qt::PlainText);
    widget->setWordWrap(true);
}

void LabelBinding::applyAll() {
    for (Prop prop : {Prop::Text, Prop::Alignment, Prop::ForeColor, Prop::BackColor})
        apply(prop, -1);
}

void LabelBinding::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text: {
            const QString text = toQString(m_control.caption());
            if (m_label->text() == text) return;
            m_label->setText(text);
            showGeometry();
            break;
        }
        case Prop::Geometry:
            if (!showGeometry()) return;
            break;
        case Prop::Font:
            ControlBinding::apply(prop, index);
            showGeometry();
            return;
        case Prop::Alignment: {
            const Qt::Alignment align = toQAlignment(m_control.alignment()) | Qt::AlignTop;
            if (m_label->alignment() == align) return;
            m_label->setAlignment(align);
            break;
        }
        case Prop::ForeColor:
            if (!setColor(m_label, QPalette::WindowText, m_control.foreColor())) return;
            break;
        case Prop::BackColor:
            // A label in the window colour of its design state shows the frame's background; once
            // coloured, it paints its whole box, in the window colour too.
            if (!m_label->autoFillBackground() && m_control.backColor() == kSystemWindowColor) return;
            m_label->setAutoFillBackground(true);
            if (!setColor(m_label, QPalette::Window, m_control.backColor())) return;
            break;
        default:
            return ControlBinding::apply(prop, index);
    }
    wrote();
}

bool LabelBinding::showGeometry() {
    QRect rect = toPixels(m_control.geometry(), m_context.dpi);
    if (m_control.alignment() == Align::Left && !m_label->text().isEmpty()) {
        const QFontMetrics metrics(m_label->font());
        const int flags = static_cast<int>(Qt::TextWordWrap | m_label->alignment());
        for (int width = rect.width(); width <= rect.width() + rect.width() / 8; ++width) {
            const QRect needed =
                metrics.boundingRect(QRect(0, 0, width, rect.height()), flags, m_label->text());
            if (needed.width() <= width && needed.height() <= rect.height()) {
                rect.setWidth(width);
                break;
            }
        }
    }
    if (m_label->geometry() == rect) return false;
    m_label->setGeometry(rect);
    return true;
}

LineBinding::LineBinding(Line& line, LineWidget* widget, const ViewContext& context)
    : ControlBinding(line, widget, context), m_line(widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineBinding::applyAll() {
    apply(Prop::Geometry, -1);
}

void LineBinding::apply(Prop prop, int index) {
    if (prop != Prop::Geometry && prop != Prop::ForeColor) return ControlBinding::apply(prop, index);
    // The line runs from (left, top) to (left + width, top + height); the widget is its bounding
    // box, one pixel wider and taller so a flat line has room.
    const Rect& r = m_control.geometry();
    const double dpi = m_context.dpi;
    const int x = twipsToPixels(std::min(r.left, r.left + r.width), dpi);
    const int y = twipsToPixels(std::min(r.top, r.top + r.height), dpi);
    const QRect box(x, y, twipsToPixels(std::abs(r.width), dpi) + 1,
                    twipsToPixels(std::abs(r.height), dpi) + 1);
    const QColor color = toQColor(m_control.foreColor(), m_line->palette());
    const bool falling = (r.width >= 0) == (r.height >= 0);
    if (m_line->geometry() == box && m_line->color() == color) return;
    m_line->setGeometry(box);
    m_line->setLine(color, falling);
    wrote();
}

ButtonBinding::ButtonBinding(Button& button, QPushButton* widget, const ViewContext& context)
    : ControlBinding(button, widget, context), m_button(button), m_push(widget) {
    connect(widget, &QPushButton::clicked, this, [this] { m_button.click(); });
}

void ButtonBinding::applyAll() {
    apply(Prop::Text, -1);
    apply(Prop::Picture, -1);
}

void ButtonBinding::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text: {
            const QString text = toQString(m_button.caption());
            if (m_push->text() == text) return;
            m_push->setText(text);
            break;
        }
        case Prop::Picture: {
            const Picture picture = m_button.picture();
            if (picture == Picture::None) {
                if (m_push->icon().isNull()) return;
                m_push->setIcon(QIcon());
            } else {
                const auto pixmap = picture == Picture::ArrowUp ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown;
                m_push->setIcon(m_push->style()->standardIcon(pixmap, nullptr, m_push));
                m_push->setIconSize(QSize(12, 12));
            }
            break;
        }
        default:
            return ControlBinding::apply(prop, index);
    }
    wrote();
}

CheckBoxBinding::CheckBoxBinding(CheckBox& box, QCheckBox* widget, const ViewContext& context)
    : ControlBinding(box, widget, context), m_box(box), m_check(widget) {
    connect(widget, &QCheckBox::clicked, this, [this] {
        m_box.click();
        // The model has the last word: a refused click leaves the box as the model says.
        apply(Prop::Value, -1);
    });
}

void CheckBoxBinding::applyAll() {
    apply(Prop::Value, -1);
}

void CheckBoxBinding::apply(Prop prop, int index) {
    if (prop != Prop::Value) return ControlBinding::apply(prop, index);
    const bool checked = m_box.value() == 1;
    if (m_check->isChecked() == checked) return;
    m_check->setChecked(checked);
    wrote();
}

}  // namespace orvane::qt
