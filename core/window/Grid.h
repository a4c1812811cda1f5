#pragma once

#include "core/window/Control.h"

#include <string>
#include <vector>

namespace orvane {

// The register grid: rows x columns of text cells, one fixed (title) row and column, column widths
// in twips and alignments. Writing a cell notifies with index = row * columns + column, and only
// when the text changes: the register refresh rewrites every cell 20 times a second.
class Grid : public Control {
public:
    // What one notification of the grid asks a view to show again; Other: a property every
    // control has, which the view shows as for any control.
    struct Change {
        enum class What { Nothing, Cell, ColumnWidth, ColumnAlignment, Shape, Other };
        What what = What::Nothing;
        int row = 0;
        int column = 0;
    };
    // Decodes a notification (prop, index) of this grid.
    Change change(Prop prop, int index) const;

    Grid() : Control(Kind::Grid) {}

    void setShape(int rows, int columns);
    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int fixedRows = 1;
    int fixedColumns = 1;
    // A cell of a title row or column.
    bool isFixed(int row, int column) const { return row < fixedRows || column < fixedColumns; }

    const std::string& textMatrix(int row, int column) const;
    void setTextMatrix(int row, int column, const std::string& text);

    int columnWidth(int column) const { return m_widths.at(static_cast<std::size_t>(column)); }
    void setColumnWidth(int column, int twips);
    // Alignment of the body cells of a column, and of its fixed (title) cells.
    Align columnAlignment(int column) const { return m_alignments.at(static_cast<std::size_t>(column)); }
    void setColumnAlignment(int column, Align align);
    Align fixedAlignment(int column) const { return m_fixedAlignments.at(static_cast<std::size_t>(column)); }
    void setFixedAlignment(int column, Align align);

private:
    std::size_t index(int row, int column) const;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<std::string> m_cells;
    std::vector<int> m_widths;
    std::vector<Align> m_alignments;
    std::vector<Align> m_fixedAlignments;
};

}  // namespace orvane
