#include "core/shell/Settings.h"

namespace orvane {

void Settings::ReadSettingsFile() {}
void Settings::writeSettingsFile() {}

}  // namespace orvane
