#include "platform/qt/services/QtAppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace orvane::qt {

namespace {

// Whether a file can be created in the folder. Permission bits and access(2) say yes to root for
// every folder and know nothing of a full disk or a read-only mount; creating a file tells.
bool canCreateFileIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(folder + QStringLiteral("/.orvane-write-test-XXXXXX"));
    return probe.open();  // removed again when the probe goes out of scope
}

// An installed program sits in <prefix>/bin with its menu entry in <prefix>/share/applications.
bool isInstalledCopy(const QString& exeFolder, const QString& baseName) {
    const QString entry = exeFolder + QStringLiteral("/../share/applications/orvane-") + baseName.toLower() +
                          QStringLiteral(".desktop");
    return QFileInfo::exists(entry);
}

}  // namespace

QString perUserFolder(const QString& baseName) {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty()) return {};
    return QDir::cleanPath(dataHome + QStringLiteral("/orvane/") + baseName);
}

std::string chooseProgramFolder(const QString& exeFolder, const QString& baseName,
                                const QString& userFolder) {
    // Paths in the system's file-name encoding: the core opens files by these bytes.
    const QString own = QDir::cleanPath(exeFolder);
    if (!isInstalledCopy(own, baseName) && canCreateFileIn(own)) return QFile::encodeName(own).toStdString();
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) return QFile::encodeName(own).toStdString();
    return QFile::encodeName(QDir::cleanPath(userFolder)).toStdString();
}

QtAppInfo::QtAppInfo()
    : m_baseName(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString()) {
    const QString baseName = QString::fromStdString(m_baseName);
    m_folder = chooseProgramFolder(QCoreApplication::applicationDirPath(), baseName, perUserFolder(baseName));
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
