#include "core/ops/OperationLog.h"

namespace orvane {

void OperationLog::appendRecord() {}

}  // namespace orvane
