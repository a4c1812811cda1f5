#include "core/window/Control.h"

namespace orvane {

void Control::setText(const std::string& text) {
    update(m_text, text, Prop::Text);
}

void Control::setLeft(int left) {
    Rect r = m_geometry;
    r.left = left;
    setGeometry(r);
}

void Control::setTop(int top) {
    Rect r = m_geometry;
    r.top = top;
    setGeometry(r);
}

void Control::setWidth(int width) {
    Rect r = m_geometry;
    r.width = width;
    setGeometry(r);
}

void Control::setHeight(int height) {
    Rect r = m_geometry;
    r.height = height;
    setGeometry(r);
}

void Control::notify(Prop prop, int index) {
    for (const auto& observer : m_observers)
        observer(prop, index);
}

}  // namespace orvane
