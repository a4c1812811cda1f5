#include "platform/qt/view/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace orvane::qt {

bool QtMessageBox::askOkCancel(const std::string& text, const std::string& title) {
    // The text comes with CR LF line ends; a lone CR would show as a box character.
    QString body = QString::fromStdString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const auto answer = QMessageBox::warning(QApplication::activeWindow(), QString::fromStdString(title),
                                             body, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return answer == QMessageBox::Ok;
}

}  // namespace orvane::qt
