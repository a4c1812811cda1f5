#include "core/ops/WriteExchange.h"

namespace orvane {

void WriteExchange::ChWriteSW_Click() {}
void WriteExchange::WriteAllTimer_Timer() {}

}  // namespace orvane
