#include "tables/draw_table.h"

#include <algorithm>

namespace yanchuan {

namespace {

const Text kNoText;

} // namespace

DrawTable::DrawTable(const DrawTableLayout& layout)
    : m_layout(layout)
    , m_cells(static_cast<std::size_t>(layout.rows * layout.columns))
    , m_columnWidths(static_cast<std::size_t>(layout.columns), layout.defaultColumnWidth)
{ }

bool DrawTable::Contains(Int row, Int column) const
{
    return row >= 0 && column >= 0 && row < RowCount() && column < ColumnCount();
}

std::size_t DrawTable::IndexOf(Int row, Int column) const
{
    return static_cast<std::size_t>(row * ColumnCount() + column);
}

void DrawTable::SetCellText(Int row, Int column, std::string_view text)
{
    if (!Contains(row, column)) {
        return;
    }
    Text& cell = m_cells[IndexOf(row, column)].text;
    if (cell == text) {
        return;
    }
    cell.assign(text);
    // Copied: an observer may add or remove observers while it is told.
    for (DrawTableObserver* observer : std::vector(m_observers)) {
        observer->CellTextChanged(static_cast<int>(row), static_cast<int>(column));
    }
}

const Text& DrawTable::CellText(Int row, Int column) const
{
    return Contains(row, column) ? m_cells[IndexOf(row, column)].text : kNoText;
}

void DrawTable::SetCursor(Int row, Int column)
{
    if (!Contains(row, column)) {
        return;
    }
    m_cursorRow = std::max<Int>(row, 1);
    m_cursorColumn = std::max<Int>(column, 1);
    for (DrawTableObserver* observer : std::vector(m_observers)) {
        observer->CursorChanged();
    }
}

void DrawTable::SetColumnWidth(Int column, int width)
{
    if (column < 0 || column >= ColumnCount()) {
        return;
    }
    m_columnWidths[static_cast<std::size_t>(column)] = width;
    NotifyPresentation();
}

bool DrawTable::ClipRectangle(Int firstRow, Int firstColumn, Int& lastRow, Int& lastColumn) const
{
    lastRow = std::min(lastRow, RowCount() - 1);
    lastColumn = std::min(lastColumn, ColumnCount() - 1);
    return firstRow >= 0 && firstColumn >= 0 && lastRow >= firstRow && lastColumn >= firstColumn;
}

void DrawTable::SetFontHeight(Int firstRow, Int firstColumn, Int lastRow, Int lastColumn, int height)
{
    if (!ClipRectangle(firstRow, firstColumn, lastRow, lastColumn)) {
        return;
    }
    for (Int r = firstRow; r <= lastRow; ++r) {
        for (Int c = firstColumn; c <= lastColumn; ++c) {
            m_cells[IndexOf(r, c)].fontHeight = height;
        }
    }
    NotifyPresentation();
}

void DrawTable::CentreCells(Int firstRow, Int firstColumn, Int lastRow, Int lastColumn)
{
    if (!ClipRectangle(firstRow, firstColumn, lastRow, lastColumn)) {
        return;
    }
    for (Int r = firstRow; r <= lastRow; ++r) {
        for (Int c = firstColumn; c <= lastColumn; ++c) {
            m_cells[IndexOf(r, c)].centred = true;
        }
    }
    NotifyPresentation();
}

int DrawTable::ColumnWidth(Int column) const
{
    return column >= 0 && column < ColumnCount() ? m_columnWidths[static_cast<std::size_t>(column)] : 0;
}

int DrawTable::FontHeight(Int row, Int column) const
{
    return Contains(row, column) ? m_cells[IndexOf(row, column)].fontHeight : 0;
}

bool DrawTable::IsCentred(Int row, Int column) const
{
    return Contains(row, column) && m_cells[IndexOf(row, column)].centred;
}

void DrawTable::AddObserver(DrawTableObserver* observer) { m_observers.push_back(observer); }

void DrawTable::RemoveObserver(DrawTableObserver* observer) { std::erase(m_observers, observer); }

void DrawTable::NotifyPresentation()
{
    for (DrawTableObserver* observer : std::vector(m_observers)) {
        observer->PresentationChanged();
    }
}

} // namespace yanchuan
