#include "core/protocol/ReplyHandler.h"

namespace orvane {

void ReplyHandler::MSComm1_OnComm() {}

}  // namespace orvane
