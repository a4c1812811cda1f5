#pragma once

#include "core/window/Control.h"
#include "core/window/Controls.h"

#include <map>
#include <tuple>
#include <windows.h>

namespace orvane::win {

// The GDI objects a window's controls share, made on first use and kept until the view ends:
// fonts by family, size, weight and dpi; solid brushes by colour; the arrow pictures of the step
// buttons by direction and size.
class ViewResources {
public:
    ViewResources() = default;
    ~ViewResources();
    ViewResources(const ViewResources&) = delete;
    ViewResources& operator=(const ViewResources&) = delete;

    HFONT font(const Font& font, int dpi);
    HBRUSH brush(COLORREF color);
    // A black triangle pointing up or down on a transparent ground, `pixels` square.
    HICON arrow(Picture picture, int pixels);

private:
    std::map<std::tuple<std::string, double, bool, int>, HFONT> m_fonts;
    std::map<COLORREF, HBRUSH> m_brushes;
    std::map<std::pair<Picture, int>, HICON> m_arrows;
};

}  // namespace orvane::win
