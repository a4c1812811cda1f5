#pragma once

namespace orvane {

class IScreen {
public:
    virtual ~IScreen() = default;
    virtual int widthTwips() const = 0;
    virtual int heightTwips() const = 0;
};

}  // namespace orvane
