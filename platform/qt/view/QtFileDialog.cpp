#include "platform/qt/view/QtFileDialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace orvane::qt {

QStringList toNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
#ifndef Q_OS_WIN
        // "*.*" means every file; here it would hide the files without a dot in their name.
        if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
#endif
        if (description.isEmpty() && patterns.isEmpty()) continue;
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

bool QtFileDialog::show(Mode mode) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setNameFilters(m_filters);
    const bool save = mode == Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString last = QFile::decodeName(QByteArray::fromStdString(m_fileName));
    if (last.isEmpty()) {
        dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(m_initialFolder)));
    } else {
        const QFileInfo info(last);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    // A path in the system's file-name encoding, so that any name opens the file it names.
    m_fileName = QFile::encodeName(chosen.first()).toStdString();
    return true;
}

}  // namespace orvane::qt
