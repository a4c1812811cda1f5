#pragma once

#include "core/ops/Exchange.h"

namespace orvane {

// A channel's "Test": its register texts sent with "/T ", the echo judged.
class ChannelTestExchange : private Exchange {
public:
    using Exchange::Exchange;

    void ChTestSW_Click(int index);
    void TestTimer_Timer();
    Progress progress() const;

private:
    void endTest();
};

}  // namespace orvane
