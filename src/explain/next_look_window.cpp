#include "explain/next_look_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "explain/rows_model.h"
#include "identify/cascade.h"

namespace qid {

namespace {

QString capitalised(QString s)
{
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

QLabel* buddy_label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

NextLookWindow::NextLookWindow(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("next_look"));
    setWindowTitle(QStringLiteral("What to look at next"));
    setModal(false);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    ranking_model_ = new RowsModel({QStringLiteral("Look at"), QStringLiteral("Step"),
                                    QStringLiteral("Species left (expected)")},
                                   this);
    ranking_ = table_view(ranking_model_, this);
    ranking_->setColumnWidth(0, 150);
    ranking_->setColumnWidth(1, 170);
    groups_model_ = new RowsModel({QStringLiteral("If you see"), QStringLiteral("Species left")}, this);
    groups_ = table_view(groups_model_, this);
    groups_->setColumnWidth(0, 200);
    kept_ = new QListWidget(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(buddy_label(QStringLiteral("&Observations not yet made, most telling first:"), ranking_, this));
    layout->addWidget(ranking_, 2);
    auto* lower = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buddy_label(QStringLiteral("&Values of the observation chosen:"), groups_, this));
    left->addWidget(groups_);
    auto* right = new QVBoxLayout;
    right->addWidget(buddy_label(QStringLiteral("Species &kept by the values chosen:"), kept_, this));
    right->addWidget(kept_);
    lower->addLayout(left, 1);
    lower->addLayout(right, 1);
    layout->addLayout(lower, 3);
    layout->addWidget(buttons);
    resize(760, 600);

    connect(ranking_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { show_groups(); });
    connect(groups_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { show_kept(); });
}

void NextLookWindow::show_explanation(std::shared_ptr<const Explanation> e, const ItemIndex& index)
{
    explanation_ = std::move(e);
    index_ = &index;
    listed_.clear();
    ranked_.clear();
    if (!explanation_) {
        summary_->setText(QStringLiteral("No step has run yet. Press NEXT: this window then ranks the observations "
                                         "not yet made by how far they would narrow the list."));
    } else if (explanation_->none_kept) {
        summary_->setText(QStringLiteral("No species is listed, so there is nothing to narrow. \"Why not…\" shows "
                                         "the nearest species."));
    } else {
        listed_ = kept_species(*explanation_);
        ranked_ = suggest(index, explanation_->seen(), explanation_->factors(), listed_, explanation_->step);
        summary_->setText(
            ranked_.empty()
                ? QStringLiteral("Trees selected on %1 data: %2 species listed. No observation not yet made would "
                                 "narrow the list.")
                      .arg(step_name(explanation_->step))
                      .arg(listed_.size())
                : QStringLiteral("Trees selected on %1 data: %2 species listed. The observations first in the list "
                                 "are expected to leave the fewest.")
                      .arg(step_name(explanation_->step))
                      .arg(listed_.size()));
    }
    ranking_model_->reset(static_cast<int>(ranked_.size()), [this](int row, int column) {
        const Suggestion& s = ranked_[static_cast<std::size_t>(row)];
        switch (column) {
        case 0: return capitalised(item_name(s.item));
        case 1: return step_name(item_step(s.item));
        default: return QStringLiteral("%1 of %2").arg(s.expected_left, 0, 'f', 1).arg(s.judged);
        }
    });
    if (!ranked_.empty())
        ranking_->setCurrentIndex(ranking_model_->index(0, 0));
    show_groups();
}

void NextLookWindow::show_groups()
{
    const int row = ranking_->currentIndex().row();
    const Suggestion* s = row >= 0 && row < static_cast<int>(ranked_.size()) ? &ranked_[static_cast<std::size_t>(row)]
                                                                               : nullptr;
    groups_model_->reset(s ? static_cast<int>(s->groups.size()) : 0, [s](int r, int column) {
        const ValueGroup& g = s->groups[static_cast<std::size_t>(r)];
        return column == 0 ? group_values(s->item, g) : QString::number(g.kept);
    });
    if (s && !s->groups.empty())
        groups_->setCurrentIndex(groups_model_->index(0, 0));
    show_kept();
}

void NextLookWindow::show_kept()
{
    kept_->clear();
    const int row = ranking_->currentIndex().row();
    const int group = groups_->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(ranked_.size()) || group < 0)
        return;
    const Suggestion& s = ranked_[static_cast<std::size_t>(row)];
    if (group >= static_cast<int>(s.groups.size()))
        return;
    QStringList names;
    for (const std::int16_t i : kept_by(*index_, explanation_->seen(), explanation_->factors(), listed_,
                                        explanation_->step, s.item, s.groups[static_cast<std::size_t>(group)]))
        names << QStringLiteral("Quenla ") + index_->table().names.at(static_cast<std::size_t>(i));
    kept_->addItems(names);
}

void NextLookWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && help) {
        help();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace qid
