#pragma once

#include "core/ops/Exchange.h"
#include "core/ops/OperationLog.h"

namespace orvane {

// The "Write" exchange: identity, common parameters, then each channel loaded and written; the
// log record of a write that ended without any reported fault.
class WriteExchange : private Exchange {
public:
    WriteExchange(Form1& form, const Profile& profile, Platform& platform, Link& link, OperationLog& log)
        : Exchange(form, profile, platform, link), m_log(log) {}

    void ChWriteSW_Click();
    void WriteAllTimer_Timer();

private:
    // Steps 0 to 3; false when the tick has ended early (abort or port error).
    bool identityStep();
    // Steps 4 to 11: "/T " and "/W" of each channel; false when the tick has ended early (abort,
    // port error, or a channel without register values, which ends the write at once).
    bool channelStep();
    void closingStep();
    bool send(const std::string& bytes);

    OperationLog& m_log;
};

}  // namespace orvane
