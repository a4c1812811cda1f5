#pragma once

#include "core/ops/Exchange.h"

namespace orvane {

// The module's serial number read once more: "/D" alone, judged one reply wait later. The headless
// command asks it after a write's last echo and after a check, so that a result is given only for
// the module that identified itself at the start. The windows never run it.
class IdentityExchange : private Exchange {
public:
    using Exchange::Exchange;

    // Sends "/D" at once (there is no button to click, so nothing waits for a first tick).
    void start();
    void IdentityTimer_Timer();
    Progress progress() const;
};

}  // namespace orvane
