#include "platform/qt/view/ComboBoxBinding.h"

#include "platform/qt/view/ModelConvert.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

namespace orvane::qt {

namespace {

// The keys that move through the closed list; Alt with an arrow opens it, as the toolkit does.
std::optional<ListKey> listKeyOf(const QKeyEvent& key) {
    if (key.modifiers() & Qt::AltModifier) return std::nullopt;
    switch (key.key()) {
        case Qt::Key_Down:
            return ListKey::Down;
        case Qt::Key_Up:
            return ListKey::Up;
        case Qt::Key_PageDown:
            return ListKey::PageDown;
        case Qt::Key_PageUp:
            return ListKey::PageUp;
        default:
            return std::nullopt;
    }
}

// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

}  // namespace

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
    box->setMaxVisibleItems(kListVisibleItems);
    // The wheel turns only the box that has the focus: it neither takes the focus nor changes a
    // box the pointer merely passes over.
    box->setFocusPolicy(Qt::StrongFocus);
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
    // The keys and the wheel move through the closed list from the value shown, as the model
    // decides; the toolkit would move from its own current item.
    if (watched == m_box && event->type() == QEvent::KeyPress && !m_box->view()->isVisible()) {
        if (const std::optional<ListKey> key = listKeyOf(*static_cast<QKeyEvent*>(event))) {
            m_combo.stepInList(listKeyStep(*key));
            return true;
        }
    }
    if (watched == m_box && event->type() == QEvent::Wheel) {
        if (m_box->hasFocus() && !m_box->view()->isVisible()) wheel(*static_cast<QWheelEvent*>(event));
        return true;
    }
    // The box holds the focus (its line edit only hears of it from the box). Opening the
    // drop-down list keeps the focus in the box.
    if (watched == m_box && event->type() == QEvent::FocusOut) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason && !m_box->hasFocus() && !m_box->view()->isVisible())
            m_combo.lostFocus();
    }
    return false;
}

void ComboBoxBinding::wheel(const QWheelEvent& event) {
    // A notch away from the user moves up the list; a fine-grained wheel moves once its turns
    // add up to a notch.
    m_wheelTurn += event.angleDelta().y();
    const int notches = m_wheelTurn / kWheelNotch;
    m_wheelTurn -= notches * kWheelNotch;
    if (notches != 0) m_combo.stepInList(-notches);
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
    if (m_box->currentText() != text) {
        m_showing = true;
        m_box->setEditText(text);
        m_showing = false;
        wrote();
    }
    followText();
}

void ComboBoxBinding::followText() {
    // The list's current item is the one the text names, or none, so that the open list shows
    // the value selected. Leaving an item empties the edit field: the text, the caret and the
    // selection are put back as they were.
    const std::optional<std::size_t> item = m_combo.currentItem();
    const int wanted = item ? static_cast<int>(*item) : -1;
    if (m_box->currentIndex() == wanted) return;
    QLineEdit* edit = m_box->lineEdit();
    const QString text = edit->text();
    const int caret = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = edit->selectionLength();
    m_showing = true;
    m_box->setCurrentIndex(wanted);
    if (edit->text() != text) {
        edit->setText(text);
        if (selectionLength > 0 && selectionStart == caret) {
            edit->setSelection(selectionStart + selectionLength, -selectionLength);
        } else if (selectionLength > 0) {
            edit->setSelection(selectionStart, selectionLength);
        } else {
            edit->setCursorPosition(caret);
        }
    }
    m_showing = false;
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
    followText();
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
