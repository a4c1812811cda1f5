#include "platform/qt/view/QtWindowView.h"

#include "core/window/FramesFirst.h"
#include "platform/qt/view/ComboBoxBinding.h"
#include "platform/qt/view/GridBinding.h"
#include "platform/qt/view/SimpleBindings.h"
#include "platform/qt/view/TextBoxBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace orvane::qt {

namespace {

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
    : m_window(std::make_unique<WindowWidget>(form.form, dpi, std::move(onClose))) {
    const ViewContext context{dpi, &m_widgetWrites};
    buildFramesFirst<QWidget*>(form.controls(), m_window.get(),
                               [&context](Control& control, QWidget* parent) -> QWidget* {
                                   ControlBinding* binding = bind(control, parent, context);
                                   if (!binding) return nullptr;
                                   binding->attach();
                                   return qobject_cast<QWidget*>(binding->parent());
                               });
}

QtWindowView::~QtWindowView() = default;

}  // namespace orvane::qt
