#include "core/ops/ChannelTestExchange.h"

namespace orvane {

void ChannelTestExchange::ChTestSW_Click(int) {}
void ChannelTestExchange::TestTimer_Timer() {}

}  // namespace orvane
