#include "core/ops/ReadBackExchange.h"

namespace orvane {

void ReadBackExchange::ChCheckSW_Click() {}
void ReadBackExchange::ReadAllTimer_Timer() {}

}  // namespace orvane
