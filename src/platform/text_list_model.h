#pragma once
// A list model whose entries are made only when a view shows them: a count
// and a function giving the text of entry i. Filling it with tens of
// thousands of entries is one reset and nothing more, and only the entries
// on screen are ever made. The entries are read, never edited.
#include <functional>

#include <QAbstractListModel>

namespace qid::platform {

class TextListModel final : public QAbstractListModel {
public:
    using Texts = std::function<QString(int)>;
    using QAbstractListModel::QAbstractListModel;

    // Replaces every entry: `count` of them, entry i reading text(i).
    void set(int count, Texts text);
    // Adds an entry at the end.
    void append(const QString& entry);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int count_ = 0;
    Texts text_;
};

}  // namespace qid::platform
