#pragma once

#include "core/platform/Platform.h"
#include "core/window/Form1.h"

namespace orvane {

// The operation log: one record appended per clean write to a module.
class OperationLog {
public:
    OperationLog(Form1& form, Platform& platform) : m_form(form), m_platform(platform) {}

    // Appends the record of the write that just ended; "Log File Write Error!!" on failure.
    void appendRecord();

private:
    Form1& m_form;
    Platform& m_platform;
};

}  // namespace orvane
