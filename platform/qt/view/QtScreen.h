#pragma once

#include "core/platform/IScreen.h"

namespace orvane::qt {

// The primary screen's available area (without task bars) in twips.
class QtScreen : public IScreen {
public:
    int widthTwips() const override;
    int heightTwips() const override;
};

}  // namespace orvane::qt
