#pragma once

#include "core/platform/IPortNaming.h"

namespace orvane::win {

// Port names on Windows: "COMn" in any case, or its device form "\\.\COMn", names port n (1 to
// 4096, see comNumberOf). Nothing else reaches a port: Windows has no device paths to type.
class WinPortNaming final : public IPortNaming {
public:
    PortChoice parse(std::string_view text) const override;
    std::string name(int number) const override;
    // Always false: no text names a device directly.
    bool deviceExists(const std::string& device) const override;
};

}  // namespace orvane::win
