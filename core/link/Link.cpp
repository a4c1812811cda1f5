#include "core/link/Link.h"

namespace orvane {

void Link::scanPorts() {}

void Link::ComStart_Click() {}

void Link::recoverFromPortError() {}

}  // namespace orvane
