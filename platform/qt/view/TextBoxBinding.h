#pragma once

#include "core/window/Controls.h"
#include "platform/qt/view/ControlBinding.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <string>

namespace orvane::qt {

// A single-line text box: typing sets the model text, which runs its change event.
class TextBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    TextBoxBinding(TextBox& box, QLineEdit* edit, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    TextBox& m_box;
    QLineEdit* m_edit;
};

// The multi-line traffic display: read-only, vertical scroll bar, the view following the end
// while the model's caret stands there. Text the program appends is appended to the widget, not
// set anew, so a long run stays cheap. Received bytes are shown one character each (Latin-1), a
// CR or CR LF as a line break.
class TermBinding : public ControlBinding {
    Q_OBJECT
public:
    TermBinding(TextBox& box, QPlainTextEdit* edit, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    void showCaret();

    TextBox& m_box;
    QPlainTextEdit* m_edit;
    std::string m_shown;  // the model text the widget shows
};

}  // namespace orvane::qt
