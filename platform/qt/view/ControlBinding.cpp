#include "platform/qt/view/ControlBinding.h"

#include "platform/qt/view/ModelConvert.h"

namespace orvane::qt {

ControlBinding::ControlBinding(Control& control, QWidget* widget, const ViewContext& context)
    : QObject(widget), m_control(control), m_widget(widget), m_context(context) {
    widget->setObjectName(toQString(control.name));
}

void ControlBinding::attach() {
    m_attaching = true;
    for (Prop prop : {Prop::Geometry, Prop::Enabled, Prop::ToolTip, Prop::Font})
        apply(prop, -1);
    applyAll();
    if (!m_control.visible()) m_widget->setVisible(false);
    m_attaching = false;
    QPointer<ControlBinding> self(this);
    m_control.observe([self](Prop prop, int index) {
        if (self) self->apply(prop, index);
    });
}

void ControlBinding::wrote() const {
    if (!m_attaching && m_context.widgetWrites) ++*m_context.widgetWrites;
}

void ControlBinding::apply(Prop prop, int) {
    switch (prop) {
        case Prop::Geometry: {
            const QRect rect = toPixels(m_control.geometry(), m_context.dpi);
            if (m_widget->geometry() == rect) return;
            m_widget->setGeometry(rect);
            break;
        }
        case Prop::Enabled:
            if (m_widget->isEnabled() == m_control.enabled()) return;
            m_widget->setEnabled(m_control.enabled());
            break;
        case Prop::Visible:
            if (m_widget->isHidden() == !m_control.visible()) return;
            m_widget->setVisible(m_control.visible());
            break;
        case Prop::ToolTip: {
            const QString tip = toQString(m_control.toolTip());
            if (m_widget->toolTip() == tip) return;
            m_widget->setToolTip(tip);
            break;
        }
        case Prop::Font: {
            const QFont font = toQFont(m_control.font());
            if (m_widget->font() == font) return;
            m_widget->setFont(font);
            break;
        }
        default:
            return;
    }
    wrote();
}

bool ControlBinding::setColor(QWidget* widget, QPalette::ColorRole role, Color color) {
    const QColor wanted = toQColor(color, QPalette());
    if (widget->palette().color(role) == wanted) return false;
    QPalette palette = widget->palette();
    palette.setColor(role, wanted);
    widget->setPalette(palette);
    return true;
}

}  // namespace orvane::qt
