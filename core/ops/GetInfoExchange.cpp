#include "core/ops/GetInfoExchange.h"

namespace orvane {

void GetInfoExchange::GetInfoSW_Click() {}
void GetInfoExchange::GetInfoTimer_Timer() {}

}  // namespace orvane
