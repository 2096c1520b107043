#pragma once
// "Why not…": every species of the table with its state at the step shown,
// kept, or rejected at which step and why, searchable by name. After a step
// that kept no species, the nearest species come first.
#include <functional>
#include <memory>
#include <vector>

#include <QDialog>

#include "identify/explain.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace qid {

class RowsModel;

class WhyNotWindow final : public QDialog {
public:
    explicit WhyNotWindow(QWidget* owner);

    // Shows this identification; none before a step has run.
    void show_explanation(std::shared_ptr<const Explanation> e, const SpeciesTable& table);

    QLabel* summary() const { return summary_; }
    QLineEdit* search() const { return search_; }
    QTableView* species() const { return species_; }
    QTableView* details() const { return details_; }
    std::function<void()> help;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filter();
    void show_details();
    QString state(int species) const;
    QString why(int species) const;

    std::shared_ptr<const Explanation> explanation_;
    const SpeciesTable* table_ = nullptr;
    std::vector<std::int16_t> order_;        // every species, in the order shown
    std::vector<std::int16_t> shown_;        // those whose name holds the search text
    std::vector<int> nearest_at_;            // by species: place among the nearest, or -1
    QLabel* summary_;
    QLineEdit* search_;
    QTableView* species_;
    QTableView* details_;
    RowsModel* species_model_;
    RowsModel* details_model_;
};

}  // namespace qid
