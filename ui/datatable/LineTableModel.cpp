#include "LineTableModel.h"

#include "CellTextEncoding.h"
#include "LineTable.h"

namespace quorvane {

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LineTableModel::LineTableModel(LineTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), rows_(table.Capacity())
{
}

int LineTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int LineTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : TextColumnCount;
}

QString LineTableModel::CellText(int column, int row) const
{
    // Within a bulk change the views may still ask for rows the table has
    // just dropped.
    if (row < 1 || row > table_.Capacity())
        return {};
    return FromUtf8(DisplayTextOf(table_.CellText(column, row)));
}

QVariant LineTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return CellText(ColumnOf(index), RowOf(index));
}

QVariant LineTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::fromStdString(RowLabel(section + 1));
    return section >= 0 && section < TextColumnCount ? headers_[section] : QVariant();
}

Qt::ItemFlags LineTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void LineTableModel::SetCellText(int column, int row, const QString& text)
{
    if (row < 1 || row > table_.Capacity())
        return;
    if (text == CellText(column, row))
        return;
    SetCellBytes(column, row, text.toStdString());
}

void LineTableModel::SetCellBytes(int column, int row, const std::string& bytes)
{
    table_.SetCellText(column, row, bytes);
    const QModelIndex cell = CellIndex(column, row);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

void LineTableModel::RowsChanged(int first, int last)
{
    if (bulk_ || first > last)
        return;
    emit dataChanged(index(first - 1, 0), index(last - 1, TextColumnCount - 1),
                     {Qt::DisplayRole, Qt::EditRole});
}

void LineTableModel::SetColumnHeader(int column, const QString& header)
{
    headers_[column - 1] = header;
    emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
}

void LineTableModel::CapacityChanged()
{
    const int capacity = table_.Capacity();
    if (bulk_ || capacity == rows_)
        return;
    if (capacity > rows_) {
        beginInsertRows({}, rows_, capacity - 1);
        rows_ = capacity;
        endInsertRows();
    } else {
        beginRemoveRows({}, capacity, rows_ - 1);
        rows_ = capacity;
        endRemoveRows();
    }
}

void LineTableModel::BeginBulkChange()
{
    if (bulk_)
        return;
    beginResetModel();
    bulk_ = true;
}

void LineTableModel::EndBulkChange()
{
    if (!bulk_)
        return;
    bulk_ = false;
    rows_ = table_.Capacity();
    endResetModel();
}

}  // namespace quorvane
