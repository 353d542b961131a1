#pragma once

#include "readers/text_ops.h"
#include "tables/lottery.h"

#include <array>
#include <string_view>
#include <vector>

namespace yanchuan {

// The constant description of one lottery's table. Column widths, fonts and
// alignment are not part of it: the set-up writes them onto the table.
struct DrawTableLayout {
    LotteryKind kind;
    int rows; // header row included
    int columns; // number column included
    int rowHeight;
    int defaultColumnWidth;
    std::array<std::string_view, 13> headers; // the first `columns` are used
};

// Told about every change of a table, so that a view can follow it cell by cell.
class DrawTableObserver {
public:
    virtual ~DrawTableObserver() = default;
    virtual void CellTextChanged(int /*row*/, int /*column*/) { }
    virtual void CursorChanged() { }
    virtual void PresentationChanged() { }
};

// A fixed grid of GBK texts with a header row 0, a number column 0, and a cursor
// cell that is none until the first read or click. Writes outside the grid are
// dropped and reads outside it give the empty text, because the readers never
// test the positions they compute.
class DrawTable final {
public:
    explicit DrawTable(const DrawTableLayout& layout);
    DrawTable(const DrawTable&) = delete;
    DrawTable& operator=(const DrawTable&) = delete;

    const DrawTableLayout& Layout() const { return m_layout; }
    LotteryKind Kind() const { return m_layout.kind; }
    Int RowCount() const { return m_layout.rows; }
    Int ColumnCount() const { return m_layout.columns; }
    bool Contains(Int row, Int column) const;

    void SetCellText(Int row, Int column, std::string_view text);
    const Text& CellText(Int row, Int column) const;

    // -1 while there is no cursor cell.
    Int CurrentRow() const { return m_cursorRow; }
    Int CurrentColumn() const { return m_cursorColumn; }
    // A cell of the table moves the cursor there, raised into the data area;
    // anything else changes nothing. A user's click does the same.
    void SetCursor(Int row, Int column);

    // Presentation, written by the set-up and shown by the window.
    void SetColumnWidth(Int column, int width);
    void SetFontHeight(Int firstRow, Int firstColumn, Int lastRow, Int lastColumn, int height);
    void CentreCells(Int firstRow, Int firstColumn, Int lastRow, Int lastColumn);
    int ColumnWidth(Int column) const;
    int FontHeight(Int row, Int column) const; // 0: the default size
    bool IsCentred(Int row, Int column) const;

    void AddObserver(DrawTableObserver* observer);
    void RemoveObserver(DrawTableObserver* observer);

private:
    struct Cell {
        Text text;
        int fontHeight = 0;
        bool centred = false;
    };

    std::size_t IndexOf(Int row, Int column) const;
    // Lowers the last row and column to the table's; false when nothing is left.
    bool ClipRectangle(Int firstRow, Int firstColumn, Int& lastRow, Int& lastColumn) const;
    void NotifyPresentation();

    const DrawTableLayout& m_layout;
    std::vector<Cell> m_cells;
    std::vector<int> m_columnWidths;
    Int m_cursorRow = -1;
    Int m_cursorColumn = -1;
    std::vector<DrawTableObserver*> m_observers;
};

} // namespace yanchuan
