#pragma once

#include "app/window/draw_table_model.h"

#include <QTableView>

namespace yanchuan {

// The grid control of a lottery page: shows a DrawTableModel with the row
// height and column widths the table gives, highlights its cursor cell, and
// reports a click on any cell, the header row and number column included,
// without moving anything itself.
class DrawGrid final : public QTableView {
    Q_OBJECT

public:
    explicit DrawGrid(DrawTableModel& model, QWidget* parent = nullptr);

signals:
    void cellClicked(int row, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ReadPresentation();
    void FollowCursor();

    DrawTableModel& m_model;
    QPersistentModelIndex m_pressed;
};

} // namespace yanchuan
