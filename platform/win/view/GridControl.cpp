#include "platform/win/view/GridControl.h"

#include "platform/win/view/ControlWindows.h"

#include <commctrl.h>

namespace orvane::win {

namespace {

constexpr int kRowHeightTwips = 255;

int columnFormat(Align align) {
    switch (align) {
        case Align::Center:
            return LVCFMT_CENTER;
        case Align::Right:
            return LVCFMT_RIGHT;
        case Align::Left:
            break;
    }
    return LVCFMT_LEFT;
}

}  // namespace

GridControl::GridControl(Grid& grid, HWND parent, ViewContext& context)
    : NativeControl(
          grid,
          makeChild(WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER | LVS_SINGLESEL,
                    WS_EX_CLIENTEDGE, parent, grid),
          context),
      m_grid(grid) {
    SendMessageW(m_hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
}

GridControl::~GridControl() {
    if (m_rowHeight) ImageList_Destroy(m_rowHeight);
}

void GridControl::applyAll() {
    showShape();
}

void GridControl::apply(Prop prop, int index) {
    const Grid::Change change = m_grid.change(prop, index);
    switch (change.what) {
        case Grid::Change::What::Cell:
            return showCell(change.row, change.column);
        case Grid::Change::What::ColumnWidth:
            return showColumnWidth(change.column);
        case Grid::Change::What::ColumnAlignment:
            return showAlignment(change.column);
        case Grid::Change::What::Shape:
            return showShape();
        case Grid::Change::What::Other:
            return NativeControl::apply(prop, index);
        case Grid::Change::What::Nothing:
            return;
    }
}

void GridControl::showGeometry() {
    NativeControl::showGeometry();
    showRowHeight();
    for (int column = 0; column < m_grid.columns(); ++column)
        showColumnWidth(column);
}

void GridControl::showRowHeight() {
    const int height = twipsToPixels(kRowHeightTwips, m_context.dpi);
    int shown = 0;
    int width = 0;
    if (m_rowHeight && ImageList_GetIconSize(m_rowHeight, &width, &shown) && shown == height) return;
    HIMAGELIST old = m_rowHeight;
    m_rowHeight = ImageList_Create(1, height, ILC_COLOR, 1, 0);
    SendMessageW(m_hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_rowHeight));
    if (old) ImageList_Destroy(old);
}

void GridControl::showShape() {
    const int rows = m_grid.rows();
    const int columns = m_grid.columns();
    SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_hwnd, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageW(m_hwnd, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int column = 0; column < columns; ++column) {
        LVCOLUMNW format{};
        format.mask = LVCF_FMT | LVCF_WIDTH;
        format.fmt = column == 0 ? LVCFMT_LEFT : columnFormat(m_grid.columnAlignment(column));
        format.cx = twipsToPixels(m_grid.columnWidth(column), m_context.dpi);
        SendMessageW(m_hwnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&format));
    }
    m_cells.assign(static_cast<std::size_t>(rows * columns), std::wstring());
    for (int row = 0; row < rows; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(m_hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 0; column < columns; ++column)
            showCell(row, column);
    }
    showRowHeight();
    SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    wrote();
}

void GridControl::showColumnWidth(int column) {
    const int width = twipsToPixels(m_grid.columnWidth(column), m_context.dpi);
    if (static_cast<int>(SendMessageW(m_hwnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)) == width)
        return;
    SendMessageW(m_hwnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
    wrote();
}

void GridControl::showAlignment(int column) {
    if (column == 0) return;
    LVCOLUMNW format{};
    format.mask = LVCF_FMT;
    if (!SendMessageW(m_hwnd, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&format)))
        return;
    const int wanted = columnFormat(m_grid.columnAlignment(column));
    if ((format.fmt & LVCFMT_JUSTIFYMASK) == wanted) return;
    format.fmt = (format.fmt & ~LVCFMT_JUSTIFYMASK) | wanted;
    SendMessageW(m_hwnd, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&format));
    wrote();
}

void GridControl::showCell(int row, int column) {
    const auto index = static_cast<std::size_t>(row * m_grid.columns() + column);
    if (index >= m_cells.size()) return;
    std::wstring text = toWide(m_grid.textMatrix(row, column));
    if (m_cells[index] == text) return;
    m_cells[index] = std::move(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = m_cells[index].data();
    SendMessageW(m_hwnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    wrote();
}

void GridControl::drawTitle(HDC dc, int row, int column) {
    // A title cell: grey, its text aligned as the model's fixed cells of that column, inside the
    // grid lines.
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageW(m_hwnd, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    if (column == 0)
        cell.right = cell.left + static_cast<int>(SendMessageW(m_hwnd, LVM_GETCOLUMNWIDTH, 0, 0));
    RECT inside{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
    FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
    const Align align =
        row < m_grid.fixedRows ? m_grid.fixedAlignment(column) : m_grid.columnAlignment(column);
    const UINT format = align == Align::Center ? DT_CENTER : align == Align::Right ? DT_RIGHT : DT_LEFT;
    inside.left += 2;
    inside.right -= 2;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring& text = m_cells[static_cast<std::size_t>(row * m_grid.columns() + column)];
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside,
              format | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT GridControl::notify(NMHDR& header, bool& handled) {
    handled = true;
    if (header.code == LVN_ITEMCHANGING) {
        // Nothing is selected or focused: the grid only shows.
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        return (change.uChanged & LVIF_STATE) != 0 &&
               (change.uNewState & (LVIS_SELECTED | LVIS_FOCUSED)) != 0;
    }
    if (header.code == NM_CUSTOMDRAW) {
        auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
        switch (draw.nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                return CDRF_NOTIFYITEMDRAW;
            case CDDS_ITEMPREPAINT:
                return CDRF_NOTIFYSUBITEMDRAW;
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
                const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
                if (!m_grid.isFixed(row, draw.iSubItem)) return CDRF_DODEFAULT;
                drawTitle(draw.nmcd.hdc, row, draw.iSubItem);
                return CDRF_SKIPDEFAULT;
            }
            default:
                return CDRF_DODEFAULT;
        }
    }
    handled = false;
    return 0;
}

}  // namespace orvane::win
