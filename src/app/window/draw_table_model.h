#pragma once

#include "tables/draw_table.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace yanchuan {

// A lottery's DrawTable as a Qt item model, following it cell by cell. Every
// cell is a model cell, the header row and the number column included; none is
// editable. Fonts, alignment and the cursor cell's highlight come from the
// table, so a view shows them without knowing any layout.
class DrawTableModel final : public QAbstractTableModel, private DrawTableObserver {
    Q_OBJECT

public:
    explicit DrawTableModel(DrawTable& table, QObject* parent = nullptr);
    ~DrawTableModel() override;

    const DrawTable& Table() const { return m_table; }
    int RowHeight() const { return m_table.Layout().rowHeight; }
    int ColumnWidth(int column) const { return m_table.ColumnWidth(column); }
    // The cursor cell's index, invalid while the table has none.
    QModelIndex CursorIndex() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void cursorMoved();
    // Column widths, fonts or alignment changed: views read them again.
    void presentationChanged();

private:
    void CellTextChanged(int row, int column) override;
    void CursorChanged() override;
    void PresentationChanged() override;

    void RefreshCell(int row, int column);

    DrawTable& m_table;
    // The cells' texts converted once, not at every paint.
    std::vector<QString> m_texts;
    QModelIndex m_shownCursor;
};

} // namespace yanchuan
