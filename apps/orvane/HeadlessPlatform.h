#pragma once

#include "core/platform/IAppInfo.h"
#include "core/platform/IFileDialog.h"
#include "core/platform/IMessageBox.h"
#include "core/platform/IScreen.h"

#include <string>

namespace orvane::cli {

// No dialog is ever shown: the command reads its table file by name.
class NoDialog : public IFileDialog {
public:
    void setFilter(const std::string&) override {}
    void setInitialFolder(const std::string&) override {}
    bool show(Mode) override { return false; }
    std::string fileName() const override { return {}; }
};

// Nobody is there to answer: every question is answered Cancel (the command never saves a table,
// the only thing that asks).
class NobodyAsked : public IMessageBox {
public:
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
};

// What the command knows of itself: its version, and as the program folder the folder of the log
// file (the log name is then that file's own name).
class CommandFacts : public IAppInfo {
public:
    CommandFacts(int major, int minor, int revision, std::string folder)
        : m_major(major), m_minor(minor), m_revision(revision), m_folder(std::move(folder)) {}
    int versionMajor() const override { return m_major; }
    int versionMinor() const override { return m_minor; }
    int versionRevision() const override { return m_revision; }
    std::string programFolder() const override { return m_folder; }
    std::string exeBaseName() const override { return "orvane"; }
    char decimalSeparator() const override { return '.'; }

private:
    int m_major, m_minor, m_revision;
    std::string m_folder;
};

// No screen: a window position is never placed on one.
class NoScreen : public IScreen {
public:
    int widthTwips() const override { return 0; }
    int heightTwips() const override { return 0; }
};

}  // namespace orvane::cli
