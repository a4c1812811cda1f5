#include "platform/qt/view/GridBinding.h"

#include "platform/qt/view/ModelConvert.h"

#include <QHeaderView>

namespace orvane::qt {

namespace {

constexpr int kRowHeightTwips = 255;

}  // namespace

GridBinding::GridBinding(Grid& grid, QTableWidget* table, const ViewContext& context)
    : ControlBinding(grid, table, context), m_grid(grid), m_table(table) {
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setMinimumSectionSize(0);
    table->verticalHeader()->setMinimumSectionSize(0);
    table->verticalHeader()->setDefaultSectionSize(twipsToPixels(kRowHeightTwips, context.dpi));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setWordWrap(false);
    table->setCornerButtonEnabled(false);
}

void GridBinding::applyAll() {
    showShape();
}

void GridBinding::apply(Prop prop, int index) {
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
            return ControlBinding::apply(prop, index);
        case Grid::Change::What::Nothing:
            return;
    }
}

void GridBinding::showShape() {
    const int rows = m_grid.rows();
    const int columns = m_grid.columns();
    m_table->clear();
    m_table->setRowCount(rows);
    m_table->setColumnCount(columns);
    const QBrush titleBack = m_table->palette().button();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* item = new QTableWidgetItem(toQString(m_grid.textMatrix(row, column)));
            item->setFlags(Qt::ItemIsEnabled);
            if (m_grid.isFixed(row, column)) item->setBackground(titleBack);
            m_table->setItem(row, column, item);
        }
    }
    for (int column = 0; column < columns; ++column) {
        showColumnWidth(column);
        showAlignment(column);
    }
    wrote();
}

void GridBinding::showColumnWidth(int column) {
    if (column >= m_table->columnCount()) return;
    const int width = twipsToPixels(m_grid.columnWidth(column), m_context.dpi);
    if (m_table->columnWidth(column) == width) return;
    m_table->setColumnWidth(column, width);
    wrote();
}

void GridBinding::showAlignment(int column) {
    if (column >= m_table->columnCount()) return;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const Align align =
            m_grid.isFixed(row, column) ? m_grid.fixedAlignment(column) : m_grid.columnAlignment(column);
        const Qt::Alignment wanted = toQAlignment(align) | Qt::AlignVCenter;
        QTableWidgetItem* item = m_table->item(row, column);
        if (item->textAlignment() == static_cast<int>(wanted)) continue;
        item->setTextAlignment(wanted);
        wrote();
    }
}

void GridBinding::showCell(int row, int column) {
    QTableWidgetItem* item = m_table->item(row, column);
    if (!item) return;
    const QString text = toQString(m_grid.textMatrix(row, column));
    if (item->text() == text) return;
    item->setText(text);
    wrote();
}

}  // namespace orvane::qt
