#include "platform/qt/view/QtWindowView.h"

#include "core/window/FramesFirst.h"
#include "platform/qt/view/ComboBoxBinding.h"
#include "platform/qt/view/GridBinding.h"
#include "platform/qt/view/SimpleBindings.h"
#include "platform/qt/view/TextBoxBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <xcb/xcb.h>

#include <cstdlib>

namespace orvane::qt {

namespace {

// Waits until the X server has handled every request so far, the window's map among them: one
// round trip, no event handled. The server (and a window manager) then put the window up before
// start-up takes the processor.
void awaitDisplayServer() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;  // offscreen, Wayland
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Makes the widget of one control with its binding; nullptr for the kinds without a widget.
ControlBinding* bind(Control& control, QWidget* parent, const ViewContext& context) {
    switch (control.kind()) {
        case Kind::Frame:
            return new FrameBinding(static_cast<Frame&>(control), new QGroupBox(parent), context);
        case Kind::Label:
            return new LabelBinding(static_cast<Label&>(control), new QLabel(parent), context);
        case Kind::Line:
            return new LineBinding(static_cast<Line&>(control), new LineWidget(parent), context);
        case Kind::Button:
            return new ButtonBinding(static_cast<Button&>(control), new QPushButton(parent), context);
        case Kind::CheckBox:
            return new CheckBoxBinding(static_cast<CheckBox&>(control), new QCheckBox(parent), context);
        case Kind::ComboBox:
            return new ComboBoxBinding(static_cast<ComboBox&>(control), new DropDownComboBox(parent),
                                       context);
        case Kind::Grid:
            return new GridBinding(static_cast<Grid&>(control), new QTableWidget(parent), context);
        case Kind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            if (box.multiLine) return new TermBinding(box, new QPlainTextEdit(parent), context);
            return new TextBoxBinding(box, new QLineEdit(parent), context);
        }
        case Kind::Window:
        case Kind::Timer:
            break;
    }
    return nullptr;
}

}  // namespace

QtWindowView::QtWindowView(Form1& form, double dpi, std::function<void()> onClose)
    : m_dpi(dpi), m_window(std::make_unique<WindowWidget>(form.form, form.form, dpi, std::move(onClose))) {
    m_window->follow();
    buildControls(form);
}

QtWindowView::QtWindowView(Form1& form, double dpi, std::function<void()> onClose, const Window& preview,
                           const std::function<void()>& startUp)
    : m_dpi(dpi), m_window(std::make_unique<WindowWidget>(preview, form.form, dpi, std::move(onClose))) {
    // show() hands the window to the display server at once; no event is handled until the event
    // loop runs, so nothing paints and no input arrives before the controls are there.
    m_window->show();
    awaitDisplayServer();
    startUp();
    m_window->follow();
    buildControls(form);
}

void QtWindowView::buildControls(Form1& form) {
    const ViewContext context{m_dpi, &m_widgetWrites};
    buildFramesFirst<QWidget*>(form.controls(), m_window.get(),
                               [&context](Control& control, QWidget* parent) -> QWidget* {
                                   ControlBinding* binding = bind(control, parent, context);
                                   if (!binding) return nullptr;
                                   binding->attach();
                                   auto* widget = qobject_cast<QWidget*>(binding->parent());
                                   // A widget added to a window already shown stays hidden until
                                   // shown itself.
                                   if (parent->isVisible() && control.visible()) widget->show();
                                   return widget;
                               });
}

QtWindowView::~QtWindowView() = default;

}  // namespace orvane::qt
