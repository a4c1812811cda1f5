#pragma once

#include "core/platform/IFileDialog.h"

#include <QStringList>

#include <string>

namespace orvane::qt {

// Turns a "Description|pattern|Description|pattern|" filter into Qt name filters. A description
// that already names its pattern in parentheses stays as it is ("Freq. Table File(*.tbl)"),
// otherwise the pattern is added ("All File (*)"); ";" between patterns becomes a blank. Off
// Windows "*.*" becomes "*", so that every file shows, also one without an extension.
QStringList toNameFilters(const std::string& filter);

// The open/save dialog of the window. It starts in the folder of the last chosen file, or the
// initial folder before any choice, with the last file name filled in. A typed full path is
// taken as it is; the save dialog asks no replace question (the caller does).
class QtFileDialog : public IFileDialog {
public:
    void setFilter(const std::string& filter) override { m_filters = toNameFilters(filter); }
    void setInitialFolder(const std::string& folder) override { m_initialFolder = folder; }
    bool show(Mode mode) override;
    std::string fileName() const override { return m_fileName; }

private:
    QStringList m_filters;
    std::string m_initialFolder;
    std::string m_fileName;
};

}  // namespace orvane::qt
