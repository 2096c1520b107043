#include "explain/rows_model.h"

namespace qid {

RowsModel::RowsModel(const QStringList& headers, QObject* parent) : QAbstractTableModel(parent), headers_(headers) {}

void RowsModel::reset(int rows, CellText text)
{
    beginResetModel();
    rows_ = rows;
    text_ = std::move(text);
    endResetModel();
}

int RowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int RowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return text_(index.row(), index.column());
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? QVariant(headers_.value(section)) : QVariant(section + 1);
}

}  // namespace qid
