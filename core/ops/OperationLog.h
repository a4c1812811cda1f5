#pragma once

#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Outcome.h"

namespace orvane {

// The operation log: one record per write the module confirmed, appended to the file named in
// LogFileName in the program folder.
class OperationLog {
public:
    OperationLog(Form1& form, Platform& platform) : m_form(form), m_platform(platform) {}

    // Whether the outcome earns a record: a write that passed with all four channels confirmed.
    static bool recordable(const Outcome& write);
    // Appends the record of a confirmed write: the identity the module sent, the channel texts as
    // shown (a decimal comma written as a point), date, time and program version. True when the
    // record is in the file; false (and "Log File Write Error!!") when it could not be appended
    // or the outcome earns none.
    bool appendRecord(const Outcome& write);
    // Where the record goes: the program folder and LogFileName.
    std::string path() const;
    // Whether a record could be appended now (nothing is created to find out).
    bool canAppend() const { return m_platform.files.canAppend(path()); }

private:
    Form1& m_form;
    Platform& m_platform;
};

}  // namespace orvane
