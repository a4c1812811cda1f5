#pragma once

#include "core/ops/Exchange.h"

namespace orvane {

// Decides whether a write goes on to write the module that has just identified itself.
class IAdmission {
public:
    virtual ~IAdmission() = default;
    virtual bool admits(const Outcome& identified) = 0;
};

// The "Write" exchange: identity, common parameters, then each channel loaded and written. Its
// outcome passes only when the module confirmed all four channels; the operation log takes its
// record from that outcome.
class WriteExchange : private Exchange {
public:
    using Exchange::Exchange;

    void ChWriteSW_Click();
    void WriteAllTimer_Timer();
    Progress progress() const;

    // Asked once the module has identified itself as the program's own type, before anything is
    // written: a write the caller does not admit ends there, its outcome NotAdmitted. A production
    // line uses it to leave alone a module it has already handled; the windows admit every module
    // (nullptr: no admission asked).
    void setAdmission(IAdmission* admission) { m_admission = admission; }

private:
    // Steps 0 to 3; false when the tick has ended early (abort or port error).
    bool identityStep();
    // Steps 4 to 11: "/T " and "/W" of each channel; false when the tick has ended early (abort,
    // port error, or a channel without register values, which ends the write at once).
    bool channelStep();
    void closingStep();
    bool send(const std::string& bytes, std::initializer_list<std::string_view> replies, int channel = -1);

    IAdmission* m_admission = nullptr;
};

}  // namespace orvane
