#include "platform/qt/QtAppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace orvane::qt {

namespace {

std::string chooseFolder() {
    const QString own = QCoreApplication::applicationDirPath();
    if (QFileInfo(own).isWritable()) return own.toStdString();
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (user.isEmpty() || !QDir().mkpath(user)) return own.toStdString();
    return QDir::cleanPath(user).toStdString();
}

}  // namespace

QtAppInfo::QtAppInfo()
    : m_folder(chooseFolder()),
      m_baseName(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString()) {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80) m_separator = point.at(0).toLatin1();
}

int QtAppInfo::versionMajor() const {
    return ORVANE_VERSION_MAJOR;
}
int QtAppInfo::versionMinor() const {
    return ORVANE_VERSION_MINOR;
}
int QtAppInfo::versionRevision() const {
    return ORVANE_VERSION_PATCH;
}

}  // namespace orvane::qt
