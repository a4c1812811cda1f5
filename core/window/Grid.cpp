#include "core/window/Grid.h"

#include <stdexcept>

namespace orvane {

void Grid::setShape(int rows, int columns) {
    if (rows == m_rows && columns == m_columns) return;
    m_rows = rows;
    m_columns = columns;
    const auto cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    m_cells.assign(cells, std::string());
    m_widths.assign(static_cast<std::size_t>(columns), 0);
    m_alignments.assign(static_cast<std::size_t>(columns), Align::Left);
    m_fixedAlignments.assign(static_cast<std::size_t>(columns), Align::Left);
    notify(Prop::Shape);
}

Grid::Change Grid::change(Prop prop, int index) const {
    using What = Change::What;
    switch (prop) {
        case Prop::Cell:
            // A cell's index is row * columns + column; a grid without columns has no cells.
            if (m_columns <= 0 || index < 0) return {};
            return {What::Cell, index / m_columns, index % m_columns};
        case Prop::Shape:
            // A column index: that column's width changed; none: the grid was shaped anew.
            if (index >= 0) return {What::ColumnWidth, 0, index};
            return {What::Shape};
        case Prop::Alignment:
            // A column index: that column's (body or title) alignment; none: the control's own.
            if (index >= 0) return {What::ColumnAlignment, 0, index};
            return {What::Other};
        default:
            return {What::Other};
    }
}

std::size_t Grid::index(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        throw std::out_of_range("grid cell out of range");
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
           static_cast<std::size_t>(column);
}

const std::string& Grid::textMatrix(int row, int column) const {
    return m_cells[index(row, column)];
}

void Grid::setTextMatrix(int row, int column, const std::string& text) {
    const std::size_t i = index(row, column);
    if (m_cells[i] == text) return;
    m_cells[i] = text;
    notify(Prop::Cell, static_cast<int>(i));
}

void Grid::setColumnWidth(int column, int twips) {
    auto& width = m_widths.at(static_cast<std::size_t>(column));
    if (width == twips) return;
    width = twips;
    notify(Prop::Shape, column);
}

void Grid::setColumnAlignment(int column, Align align) {
    auto& current = m_alignments.at(static_cast<std::size_t>(column));
    if (current == align) return;
    current = align;
    notify(Prop::Alignment, column);
}

void Grid::setFixedAlignment(int column, Align align) {
    auto& current = m_fixedAlignments.at(static_cast<std::size_t>(column));
    if (current == align) return;
    current = align;
    notify(Prop::Alignment, column);
}

}  // namespace orvane
