#include "app/window/draw_grid.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <utility>

namespace yanchuan {

DrawGrid::DrawGrid(DrawTableModel& model, QWidget* parent)
    : QTableView(parent)
    , m_model(model)
{
    setModel(&m_model);
    // The table's own row 0 and column 0 are the headers.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Only the program moves the cursor cell; the user's click goes to the desk.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setStyleSheet("QTableView { gridline-color: #C9CED6; background: white; }");

    connect(&m_model, &DrawTableModel::presentationChanged, this, &DrawGrid::ReadPresentation);
    connect(&m_model, &DrawTableModel::cursorMoved, this, &DrawGrid::FollowCursor);
    ReadPresentation();
    FollowCursor();
}

void DrawGrid::ReadPresentation()
{
    for (int c = 0; c < m_model.columnCount(); ++c) {
        setColumnWidth(c, m_model.ColumnWidth(c));
    }
    for (int r = 0; r < m_model.rowCount(); ++r) {
        setRowHeight(r, m_model.RowHeight());
    }
}

void DrawGrid::FollowCursor()
{
    const QModelIndex cursor = m_model.CursorIndex();
    if (!cursor.isValid()) {
        return;
    }
    selectionModel()->setCurrentIndex(cursor, QItemSelectionModel::NoUpdate);
    scrollTo(cursor);
}

void DrawGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? indexAt(event->position().toPoint()) : QModelIndex();
}

void DrawGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex released = indexAt(event->position().toPoint());
    const QModelIndex pressed = std::exchange(m_pressed, QModelIndex());
    if (event->button() == Qt::LeftButton && released.isValid() && released == pressed) {
        emit cellClicked(released.row(), released.column());
    }
}

void DrawGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a click of its own.
    mousePressEvent(event);
}

} // namespace yanchuan
