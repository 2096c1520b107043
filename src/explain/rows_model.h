#pragma once
// A read-only table whose cells are worked out when shown, so that a list of
// tens of thousands of species costs nothing until it is scrolled to.
#include <functional>

#include <QAbstractTableModel>
#include <QStringList>

class QTableView;

namespace qid {

class RowsModel final : public QAbstractTableModel {
public:
    using CellText = std::function<QString(int row, int column)>;

    RowsModel(const QStringList& headers, QObject* parent);

    // Shows `rows` rows whose cells `text` gives.
    void reset(int rows, CellText text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    int rows_ = 0;
    CellText text_;
};

// A read-only table view over `model` that selects whole rows, one at a time.
QTableView* table_view(RowsModel* model, QWidget* parent);

}  // namespace qid
