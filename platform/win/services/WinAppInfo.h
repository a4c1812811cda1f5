#pragma once

#include "core/platform/IAppInfo.h"

#include <string>

namespace orvane::win {

// The folder for the settings file, the log and the table dialog's start folder, as UTF-8 without
// a trailing separator. The executable's own folder when a file can really be created there (a
// portable copy, as technicians keep these programs; asking the folder's permissions would not
// tell of a read-only medium or a full disk) and no file "installed" lies beside it (the mark the
// installer leaves). Otherwise <localAppData>\orvane\<baseName>, created on first use; the
// executable's folder again when even that cannot be created.
std::string chooseProgramFolder(const std::wstring& exeFolder, const std::wstring& baseName,
                                const std::wstring& localAppData);

// The program's version (given by the program), folder (the rule above with %LOCALAPPDATA%) and
// executable name, and the user's decimal separator.
class WinAppInfo final : public IAppInfo {
public:
    WinAppInfo(int major, int minor, int revision);

    int versionMajor() const override { return m_major; }
    int versionMinor() const override { return m_minor; }
    int versionRevision() const override { return m_revision; }
    std::string programFolder() const override { return m_folder; }
    // The executable's name without its extension: "Quorvex" for Quorvex.exe.
    std::string exeBaseName() const override { return m_baseName; }
    // The user's decimal separator, or "." when it is not one plain character.
    char decimalSeparator() const override { return m_separator; }

private:
    int m_major;
    int m_minor;
    int m_revision;
    std::string m_folder;
    std::string m_baseName;
    char m_separator = '.';
};

}  // namespace orvane::win
