#pragma once

#include "core/platform/IFileDialog.h"
#include "core/platform/IMessageBox.h"
#include "core/platform/IScreen.h"

#include <string>

namespace orvane::win {

// A "Description|pattern|Description|pattern|" filter as the open and save dialogs take it: each
// part ends with a zero, the whole with another.
std::wstring toDialogFilter(const std::string& filter);

// The open/save dialog of the window (GetOpenFileNameW, GetSaveFileNameW), owned by the active
// window. It starts in the folder of the last chosen file, or the initial folder before any
// choice, with the last file name filled in. The open dialog takes only a file that exists; the
// save dialog asks no replace question (the caller does). Paths are UTF-8.
class WinFileDialog final : public IFileDialog {
public:
    void setFilter(const std::string& filter) override { m_filter = toDialogFilter(filter); }
    void setInitialFolder(const std::string& folder) override { m_initialFolder = folder; }
    bool show(Mode mode) override;
    std::string fileName() const override { return m_fileName; }

private:
    std::wstring m_filter;
    std::string m_initialFolder;
    std::string m_fileName;
};

// The warning question with OK and Cancel (MessageBoxW), owned by the active window.
class WinMessageBox final : public IMessageBox {
public:
    bool askOkCancel(const std::string& text, const std::string& title) override;
};

// The primary screen's work area (the screen less the task bar) in twips at the system dpi.
class WinScreen final : public IScreen {
public:
    int widthTwips() const override;
    int heightTwips() const override;
};

// The system dpi (the primary screen's), and the dpi of the monitor a window stands on where the
// system tells it per monitor (Windows 10 1607 and later), else the system dpi.
int systemDpi();
int windowDpi(void* hwnd);

}  // namespace orvane::win
