#pragma once

#include "core/window/Grid.h"
#include "platform/qt/view/ControlBinding.h"

#include <QTableWidget>

namespace orvane::qt {

// The register grid: no headers of Qt's own; the model's fixed (title) row and column are drawn
// like headers, grey and not selectable. A cell write touches only that cell's item, and only
// when its text differs: the register refresh rewrites every cell 20 times a second.
class GridBinding : public ControlBinding {
    Q_OBJECT
public:
    GridBinding(Grid& grid, QTableWidget* table, const ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    void showShape();
    void showColumnWidth(int column);
    void showAlignment(int column);
    void showCell(int row, int column);

    Grid& m_grid;
    QTableWidget* m_table;
};

}  // namespace orvane::qt
