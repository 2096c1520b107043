#include "platform/text_list_model.h"

#include <QStringList>

namespace qid::platform {

void TextListModel::set(int count, Texts text)
{
    beginResetModel();
    count_ = text ? std::max(0, count) : 0;
    text_ = std::move(text);
    endResetModel();
}

void TextListModel::append(const QString& entry)
{
    QStringList entries;
    entries.reserve(count_ + 1);
    for (int i = 0; i < count_; ++i)
        entries << text_(i);
    entries << entry;
    set(static_cast<int>(entries.size()), [entries](int i) { return entries.at(i); });
}

int TextListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

QVariant TextListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count_ || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return text_(index.row());
}

}  // namespace qid::platform
