#pragma once

#include "core/platform/IMessageBox.h"

namespace orvane::qt {

// A warning message box with OK and Cancel over the active window.
class QtMessageBox : public IMessageBox {
public:
    bool askOkCancel(const std::string& text, const std::string& title) override;
};

}  // namespace orvane::qt
