#pragma once

#include "core/link/Link.h"
#include "core/ops/OperationLog.h"
#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// The "Write" exchange: identity, common parameters, then each channel loaded and written; the
// log record of a write that ended without any reported fault.
class WriteExchange {
public:
    WriteExchange(Form1& form, const Profile& profile, Platform& platform, Link& link, OperationLog& log)
        : m_form(form), m_profile(profile), m_platform(platform), m_link(link), m_log(log) {}

    void ChWriteSW_Click();
    void WriteAllTimer_Timer();

private:
    // Steps 0 to 3; false when the tick has ended early (abort or port error).
    bool identityStep();
    // Steps 4 to 11: "/T " and "/W" of each channel; false on a port error.
    bool channelStep();
    void closingStep();
    bool send(const std::string& bytes);

    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
    Link& m_link;
    OperationLog& m_log;
};

}  // namespace orvane
