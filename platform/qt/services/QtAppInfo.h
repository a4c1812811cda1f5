#pragma once

#include "core/platform/IAppInfo.h"

#include <QString>

namespace orvane::qt {

// The per-user folder of a program: <data home>/orvane/<baseName>, where the data home is
// $XDG_DATA_HOME or ~/.local/share. Not created here.
QString perUserFolder(const QString& baseName);

// The folder for the settings file, the log and the table dialog's start folder. The executable's
// own folder when the program may keep its files there (a portable copy, a build tree): a file can
// really be created there, and the folder is not an installed copy (<prefix>/bin beside
// <prefix>/share/applications/orvane-<name>.desktop, which root could write but must not litter).
// Otherwise the per-user folder, created on first use; the executable's folder again when even
// that cannot be created. No trailing "/".
std::string chooseProgramFolder(const QString& exeFolder, const QString& baseName, const QString& userFolder);

// The program's version (from the build), folder and executable name, and the system's decimal
// separator.
class QtAppInfo : public IAppInfo {
public:
    QtAppInfo();

    int versionMajor() const override;
    int versionMinor() const override;
    int versionRevision() const override;
    std::string programFolder() const override { return m_folder; }
    std::string exeBaseName() const override { return m_baseName; }
    char decimalSeparator() const override { return m_separator; }

private:
    std::string m_folder;
    std::string m_baseName;
    char m_separator = '.';
};

}  // namespace orvane::qt
