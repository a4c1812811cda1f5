#include "platform/qt/ComboBoxBinding.h"

#include "platform/qt/ModelConvert.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>

#include <algorithm>

namespace orvane::qt {

void DropDownComboBox::showPopup() {
    emit aboutToShowPopup();
    QComboBox::showPopup();
}

ComboBoxBinding::ComboBoxBinding(ComboBox& combo, QComboBox* box, const ViewContext& context)
    : ControlBinding(combo, box, context), m_combo(combo), m_box(box) {
    if (auto* dropDown = qobject_cast<DropDownComboBox*>(box))
        connect(dropDown, &DropDownComboBox::aboutToShowPopup, this, [this] { m_combo.dropDown(); });
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(8);
    box->setAutoFillBackground(true);
    box->lineEdit()->setAutoFillBackground(true);
    box->installEventFilter(this);
    connect(box, &QComboBox::editTextChanged, this, &ComboBoxBinding::fromWidget);
    connect(box, &QComboBox::activated, this, [this](int item) { fromWidget(m_box->itemText(item)); });
}

void ComboBoxBinding::fromWidget(const QString& text) {
    if (m_showing) return;
    m_combo.setText(text.toStdString());
}

bool ComboBoxBinding::eventFilter(QObject* watched, QEvent* event) {
    // The box holds the focus (its line edit only hears of it from the box). Opening the
    // drop-down list keeps the focus in the box.
    if (watched == m_box && event->type() == QEvent::FocusOut) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason && !m_box->hasFocus() && !m_box->view()->isVisible())
            m_combo.lostFocus();
    }
    return false;
}

void ComboBoxBinding::applyAll() {
    for (Prop prop : {Prop::List, Prop::Text, Prop::BackColor, Prop::ForeColor})
        apply(prop, -1);
}

void ComboBoxBinding::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text:
            showText();
            showItemToolTips();
            return;
        case Prop::List:
            showList();
            return;
        case Prop::BackColor: {
            // The whole box: the line edit, the frame around it and the arrow part.
            bool changed = false;
            for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
                changed = setColor(m_box, role, m_combo.backColor()) || changed;
            changed = setColor(m_box->lineEdit(), QPalette::Base, m_combo.backColor()) || changed;
            if (!changed) return;
            break;
        }
        case Prop::ForeColor:
            if (!setColor(m_box->lineEdit(), QPalette::Text, m_combo.foreColor())) return;
            break;
        default:
            return ControlBinding::apply(prop, index);
    }
    wrote();
}

void ComboBoxBinding::showText() {
    const QString text = toQString(m_combo.text());
    if (m_box->currentText() == text) return;
    m_showing = true;
    m_box->setEditText(text);
    m_showing = false;
    wrote();
}

void ComboBoxBinding::showList() {
    const auto& list = m_combo.list();
    const int shown = m_box->count();
    m_showing = true;
    // The scan and the frequency lists add one item at a time: append when that is all that
    // changed, rebuild otherwise.
    const bool appended = static_cast<int>(list.size()) == shown + 1 &&
                          (shown == 0 || m_box->itemText(shown - 1) == toQString(list[list.size() - 2]));
    if (appended) {
        m_box->addItem(toQString(list.back()));
    } else {
        m_box->clear();
        for (const std::string& item : list)
            m_box->addItem(toQString(item));
    }
    m_showing = false;
    showItemToolTips();
    keepModelText();
    wrote();
}

void ComboBoxBinding::keepModelText() {
    // Adding to an empty box, clearing it and changing the current item's data make the box show
    // an item's text; the model's text stands.
    const QString text = toQString(m_combo.text());
    if (m_box->currentText() == text) return;
    m_showing = true;
    m_box->setEditText(text);
    m_showing = false;
}

void ComboBoxBinding::showItemToolTips() {
    const auto& tips = m_combo.itemToolTips;
    const int count = std::min(m_box->count(), static_cast<int>(tips.size()));
    for (int item = 0; item < count; ++item) {
        const QString tip = toQString(tips[static_cast<std::size_t>(item)]);
        if (m_box->itemData(item, Qt::ToolTipRole).toString() == tip) continue;
        m_showing = true;
        m_box->setItemData(item, tip, Qt::ToolTipRole);
        m_showing = false;
    }
    keepModelText();
}

}  // namespace orvane::qt
