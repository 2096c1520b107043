#pragma once
// "What to look at next…": for the species listed, each observation not yet
// made that would narrow the list, best first, with the values that keep
// each group of species and, for the group chosen, the species it keeps.
#include <functional>
#include <memory>
#include <vector>

#include <QDialog>

#include "identify/explain.h"
#include "identify/suggest.h"

class QLabel;
class QListWidget;
class QTableView;

namespace qid {

class RowsModel;

class NextLookWindow final : public QDialog {
public:
    explicit NextLookWindow(QWidget* owner);

    // Ranks what to look at next for this identification (none before a
    // step has run), with the table's index.
    void show_explanation(std::shared_ptr<const Explanation> e, const ItemIndex& index);

    QLabel* summary() const { return summary_; }
    QTableView* ranking() const { return ranking_; }
    QTableView* groups() const { return groups_; }
    QListWidget* kept() const { return kept_; }
    std::function<void()> help;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void show_groups();
    void show_kept();

    std::shared_ptr<const Explanation> explanation_;
    const ItemIndex* index_ = nullptr;
    std::vector<std::int16_t> listed_;
    std::vector<Suggestion> ranked_;
    QLabel* summary_;
    QTableView* ranking_;
    QTableView* groups_;
    QListWidget* kept_;
    RowsModel* ranking_model_;
    RowsModel* groups_model_;
};

}  // namespace qid
