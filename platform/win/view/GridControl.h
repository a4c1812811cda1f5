#pragma once

#include "core/window/Grid.h"
#include "platform/win/view/NativeControl.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace orvane::win {

// The register grid as a list view in report view without a header of its own: the model's fixed
// (title) row is the first item row and, with the fixed column, is drawn grey by the grid itself
// (aligned as the model's fixed cells); nothing can be selected. A cell write touches only that
// cell, and only when its text differs: the register refresh rewrites every cell 20 times a
// second. The list view's first column is always left-aligned (the register names are).
class GridControl final : public NativeControl {
public:
    GridControl(Grid& grid, HWND parent, ViewContext& context);
    ~GridControl() override;
    GridControl(const GridControl&) = delete;
    GridControl& operator=(const GridControl&) = delete;
    LRESULT notify(NMHDR& header, bool& handled) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;
    void showGeometry() override;

private:
    void showShape();
    void showRowHeight();
    void showColumnWidth(int column);
    void showAlignment(int column);
    void showCell(int row, int column);
    void drawTitle(HDC dc, int row, int column);

    Grid& m_grid;
    std::vector<std::wstring> m_cells;  // the texts the control shows, row by row
    HIMAGELIST m_rowHeight = nullptr;   // an empty picture list that sets the rows' height
};

}  // namespace orvane::win
