#pragma once

// Bindings of the controls that hold one value each: frames, labels, lines, buttons and the
// check box. Entries, the combo boxes and the grid have files of their own.

#include "core/window/Controls.h"
#include "platform/qt/view/ControlBinding.h"
#include "platform/qt/view/LineWidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace orvane::qt {

class FrameBinding : public ControlBinding {
    Q_OBJECT
public:
    FrameBinding(Frame& frame, QGroupBox* box, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    // A frame off the window's client area is hidden, so that its controls take no focus.
    void showPresence();

    Frame& m_frame;
    QGroupBox* m_box;
};

// A caption that wraps at its width, top-aligned. A left-aligned caption that the box cannot hold
// whole widens its box by what it needs, up to an eighth.
class LabelBinding : public ControlBinding {
    Q_OBJECT
public:
    LabelBinding(Label& label, QLabel* widget, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    // Places the label at its model box, widened where its caption needs it; false when it
    // already stood there.
    bool showGeometry();

    QLabel* m_label;
};

class LineBinding : public ControlBinding {
    Q_OBJECT
public:
    LineBinding(Line& line, LineWidget* widget, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    LineWidget* m_line;
};

// A push button with a caption or an arrow; a click runs the model's click event.
class ButtonBinding : public ControlBinding {
    Q_OBJECT
public:
    ButtonBinding(Button& button, QPushButton* widget, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    Button& m_button;
    QPushButton* m_push;
};

// The check box without caption: a click toggles the model value, which runs its click event.
class CheckBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    CheckBoxBinding(CheckBox& box, QCheckBox* widget, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    CheckBox& m_box;
    QCheckBox* m_check;
};

}  // namespace orvane::qt
