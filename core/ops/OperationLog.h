#pragma once

#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/IRegisterModel.h"
#include "core/window/Outcome.h"

#include <string>

namespace orvane {

// The operation log: one record per write the module confirmed, appended to the file named in
// LogFileName in the program folder.
class OperationLog {
public:
    OperationLog(Form1& form, Platform& platform, const IRegisterModel& registerModel)
        : m_form(form), m_platform(platform), m_registerModel(registerModel) {}

    // Whether the outcome earns a record: a write that passed with all four channels confirmed.
    static bool recordable(const Outcome& write);
    // Appends the record of a confirmed write: the identity the module sent (a comma or control
    // character in it as "?", so that it never shifts or splits the record), the channel texts as
    // shown (a decimal comma written as a point; an entry the synthesiser cannot reach exactly as
    // the frequency the module is set to), date, time and program version. True when the
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
    const IRegisterModel& m_registerModel;
};

// The text a channel is recorded with: the entry as shown with a decimal point, or, where the
// synthesiser cannot reach it exactly, the frequency the registers give, with four decimals.
std::string recordedChannel(const Form1& form, const IRegisterModel& model, int ch);

// A text from the module made safe for a comma-separated record: every comma and control
// character becomes "?".
std::string recordField(std::string text);

}  // namespace orvane
