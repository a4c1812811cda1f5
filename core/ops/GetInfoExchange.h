#pragma once

#include "core/ops/Exchange.h"

#include <string>

namespace orvane {

// The "Get Info." exchange: opening byte, version and identity requests, verdict.
class GetInfoExchange : private Exchange {
public:
    using Exchange::Exchange;

    void GetInfoSW_Click();
    void GetInfoTimer_Timer();
    Progress progress() const;

private:
    void verdict();

    // The serial number the window showed when the exchange began.
    std::string m_shownSerial;
};

}  // namespace orvane
