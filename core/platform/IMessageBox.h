#pragma once

#include <string>

namespace orvane {

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    // A warning question with OK and Cancel; true when the answer is OK.
    virtual bool askOkCancel(const std::string& text, const std::string& title) = 0;
};

}  // namespace orvane
