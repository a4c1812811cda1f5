#pragma once

#include "core/window/Controls.h"
#include "platform/qt/view/ControlBinding.h"

#include <QComboBox>

class QWheelEvent;

namespace orvane::qt {

// A combo box that says when its list is about to open, so that the list can be filled anew.
class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void aboutToShowPopup();
};

// An editable drop-down combo box. Typing and picking from the list set the model text (which runs
// its change event); the input focus leaving the box runs its lost-focus event. The box never
// completes, inserts or corrects what is typed. The list's current item follows the text; the
// arrow and page keys and, in the focused box, the wheel move through the closed list as the model
// decides.
class ComboBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    ComboBoxBinding(ComboBox& combo, QComboBox* box, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showText();
    void followText();
    void wheel(const QWheelEvent& event);
    void showList();
    void showItemToolTips();
    void keepModelText();
    void fromWidget(const QString& text);

    ComboBox& m_combo;
    QComboBox* m_box;
    bool m_showing = false;  // the widget is being set from the model: its signals are echoes
    int m_wheelTurn = 0;     // wheel turns short of a notch, in eighths of a degree
};

}  // namespace orvane::qt
