#pragma once

#include <string>

namespace orvane {

// The file open/save dialog of the window. It keeps the last chosen file name between uses.
class IFileDialog {
public:
    enum class Mode { Open, Save };
    virtual ~IFileDialog() = default;

    // Filter in the "Description|pattern|Description|pattern|" form.
    virtual void setFilter(const std::string& filter) = 0;
    virtual void setInitialFolder(const std::string& folder) = 0;

    // Shows the dialog; false when the user cancelled. A save dialog asks no replace question of
    // its own (the caller asks).
    virtual bool show(Mode mode) = 0;

    // The chosen file as a full path; kept after a cancel.
    virtual std::string fileName() const = 0;
};

}  // namespace orvane
