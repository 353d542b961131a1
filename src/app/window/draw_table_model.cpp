#include "app/window/draw_table_model.h"

#include "app/gbk_codec.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <utility>

namespace yanchuan {

namespace {

// The looks the table leaves open: the fixed row and column shaded like
// headers, the cursor cell in a soft selection colour.
const QColor kHeaderBackground(0xEC, 0xEE, 0xF2);
const QColor kHeaderText(0x33, 0x3A, 0x48);
const QColor kCursorBackground(0xFF, 0xE8, 0xA3);

} // namespace

DrawTableModel::DrawTableModel(DrawTable& table, QObject* parent)
    : QAbstractTableModel(parent)
    , m_table(table)
    , m_texts(static_cast<std::size_t>(table.RowCount() * table.ColumnCount()))
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            RefreshCell(r, c);
        }
    }
    m_table.AddObserver(this);
}

DrawTableModel::~DrawTableModel() { m_table.RemoveObserver(this); }

int DrawTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.RowCount());
}

int DrawTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.ColumnCount());
}

QModelIndex DrawTableModel::CursorIndex() const
{
    return index(static_cast<int>(m_table.CurrentRow()), static_cast<int>(m_table.CurrentColumn()));
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    const bool fixed = row == 0 || column == 0;
    switch (role) {
    case Qt::DisplayRole:
        return m_texts[static_cast<std::size_t>(row * columnCount() + column)];
    case Qt::TextAlignmentRole:
        return static_cast<int>(m_table.IsCentred(row, column) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
        if (const int height = m_table.FontHeight(row, column); height > 0) {
            QFont font;
            font.setPixelSize(height);
            return font;
        }
        return {};
    case Qt::BackgroundRole:
        if (index == CursorIndex()) {
            return QBrush(kCursorBackground);
        }
        return fixed ? QVariant(QBrush(kHeaderBackground)) : QVariant();
    case Qt::ForegroundRole:
        return fixed ? QVariant(QBrush(kHeaderText)) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags DrawTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void DrawTableModel::RefreshCell(int row, int column)
{
    m_texts[static_cast<std::size_t>(row * columnCount() + column)]
        = QString::fromStdString(GbkToUtf8(m_table.CellText(row, column)));
}

void DrawTableModel::CellTextChanged(int row, int column)
{
    RefreshCell(row, column);
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void DrawTableModel::CursorChanged()
{
    const QModelIndex previous = std::exchange(m_shownCursor, CursorIndex());
    if (previous.isValid()) {
        emit dataChanged(previous, previous, {Qt::BackgroundRole});
    }
    emit dataChanged(m_shownCursor, m_shownCursor, {Qt::BackgroundRole});
    emit cursorMoved();
}

void DrawTableModel::PresentationChanged()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::FontRole, Qt::TextAlignmentRole});
    emit presentationChanged();
}

} // namespace yanchuan
