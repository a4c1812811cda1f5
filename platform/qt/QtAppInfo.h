#pragma once

#include "core/platform/IAppInfo.h"

namespace orvane::qt {

// The program's version (from the build), folder and executable name, and the system's decimal
// separator. The folder is the executable's own; when that cannot be written (an installed
// program), a per-user data folder takes its place so the settings and the log still work.
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
