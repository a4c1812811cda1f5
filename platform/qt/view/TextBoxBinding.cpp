#include "platform/qt/view/TextBoxBinding.h"

#include "platform/qt/view/ModelConvert.h"

#include <QScrollBar>
#include <QTextCursor>

namespace orvane::qt {

namespace {

QString displayText(std::string_view text8) {
    QString text = QString::fromUtf8(text8.data(), static_cast<qsizetype>(text8.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

TextBoxBinding::TextBoxBinding(TextBox& box, QLineEdit* edit, const ViewContext& context)
    : ControlBinding(box, edit, context), m_box(box), m_edit(edit) {
    edit->setReadOnly(box.readOnly);
    edit->setAutoFillBackground(true);
    connect(edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_box.setText(text.toStdString()); });
}

void TextBoxBinding::applyAll() {
    for (Prop prop : {Prop::Text, Prop::Alignment, Prop::ForeColor, Prop::BackColor})
        apply(prop, -1);
}

void TextBoxBinding::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text: {
            const QString text = toQString(m_box.text());
            if (m_edit->text() == text) return;
            m_edit->setText(text);
            break;
        }
        case Prop::Alignment: {
            const Qt::Alignment align = toQAlignment(m_box.alignment()) | Qt::AlignVCenter;
            if (m_edit->alignment() == align) return;
            m_edit->setAlignment(align);
            break;
        }
        case Prop::ForeColor:
            if (!setColor(m_edit, QPalette::Text, m_box.foreColor())) return;
            break;
        case Prop::BackColor:
            if (!setColor(m_edit, QPalette::Base, m_box.backColor())) return;
            break;
        default:
            return ControlBinding::apply(prop, index);
    }
    wrote();
}

TermBinding::TermBinding(TextBox& box, QPlainTextEdit* edit, const ViewContext& context)
    : ControlBinding(box, edit, context), m_box(box), m_edit(edit) {
    edit->setReadOnly(true);
    edit->setVerticalScrollBarPolicy(box.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void TermBinding::applyAll() {
    for (Prop prop : {Prop::Text, Prop::BackColor, Prop::Caret})
        apply(prop, -1);
}

void TermBinding::apply(Prop prop, int index) {
    switch (prop) {
        case Prop::Text: {
            const std::string& text = m_box.text();
            if (text == m_shown) return;
            if (text.size() > m_shown.size() && text.compare(0, m_shown.size(), m_shown) == 0) {
                QTextCursor end(m_edit->document());
                end.movePosition(QTextCursor::End);
                std::string_view added = std::string_view(text).substr(m_shown.size());
                // A CR LF split between two arrivals is still one line break.
                if (!m_shown.empty() && m_shown.back() == '\r' && added.front() == '\n')
                    added.remove_prefix(1);
                end.insertText(displayText(added));
            } else {
                m_edit->setPlainText(displayText(text));
            }
            m_shown = text;
            showCaret();
            break;
        }
        case Prop::Caret:
            showCaret();
            return;
        case Prop::BackColor:
            if (!setColor(m_edit, QPalette::Base, m_box.backColor())) return;
            break;
        default:
            return ControlBinding::apply(prop, index);
    }
    wrote();
}

void TermBinding::showCaret() {
    if (m_box.caret() < m_box.text().size()) return;
    m_edit->moveCursor(QTextCursor::End);
    m_edit->ensureCursorVisible();
}

}  // namespace orvane::qt
