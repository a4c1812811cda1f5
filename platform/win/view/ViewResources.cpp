#include "platform/win/view/ViewResources.h"

#include "platform/win/view/ViewConvert.h"

#include <vector>

namespace orvane::win {

ViewResources::~ViewResources() {
    for (auto& [key, font] : m_fonts)
        DeleteObject(font);
    for (auto& [key, brush] : m_brushes)
        DeleteObject(brush);
    for (auto& [key, icon] : m_arrows)
        DestroyIcon(icon);
}

HFONT ViewResources::font(const Font& font, int dpi) {
    const auto key = std::make_tuple(font.family, font.points, font.bold, dpi);
    if (const auto found = m_fonts.find(key); found != m_fonts.end()) return found->second;
    LOGFONTW log{};
    log.lfHeight = fontHeight(font.points, dpi);
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring family = toWide(font.family);
    wcsncpy(log.lfFaceName, family.c_str(), LF_FACESIZE - 1);
    HFONT made = CreateFontIndirectW(&log);
    m_fonts.emplace(key, made);
    return made;
}

HBRUSH ViewResources::brush(COLORREF color) {
    if (const auto found = m_brushes.find(color); found != m_brushes.end()) return found->second;
    HBRUSH made = CreateSolidBrush(color);
    m_brushes.emplace(color, made);
    return made;
}

HICON ViewResources::arrow(Picture picture, int pixels) {
    const auto key = std::make_pair(picture, pixels);
    if (const auto found = m_arrows.find(key); found != m_arrows.end()) return found->second;
    // The triangle as a polygon: its base across the middle two thirds, its tip at the far end.
    const int margin = pixels / 6;
    const int low = pixels - 1 - margin - pixels / 6;
    const int high = margin + pixels / 6;
    const bool up = picture == Picture::ArrowUp;
    const POINT triangle[3] = {
        {margin, up ? low : high}, {pixels - 1 - margin, up ? low : high}, {pixels / 2, up ? high : low}};

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP color = CreateCompatibleBitmap(screen, pixels, pixels);
    HBITMAP mask = CreateBitmap(pixels, pixels, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    const RECT all{0, 0, pixels, pixels};
    // The picture: black where the triangle is. The mask: black (drawn) there, white (ground)
    // elsewhere.
    HGDIOBJ old = SelectObject(dc, color);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, triangle, 3);
    SelectObject(dc, old);
    DeleteDC(dc);

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    HICON made = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    m_arrows.emplace(key, made);
    return made;
}

}  // namespace orvane::win
