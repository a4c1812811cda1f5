#pragma once

#include "core/ops/Exchange.h"

namespace orvane {

// The "Check" exchange: reads the four flash slots back for comparison.
class ReadBackExchange : private Exchange {
public:
    using Exchange::Exchange;

    void ChCheckSW_Click();
    void ReadAllTimer_Timer();
    Progress progress() const;
};

}  // namespace orvane
