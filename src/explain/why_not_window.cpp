#include "explain/why_not_window.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "explain/rows_model.h"
#include "identify/cascade.h"

namespace qid {

namespace {

QString items_text(int n)
{
    return n == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(n);
}

}  // namespace

WhyNotWindow::WhyNotWindow(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("why_not"));
    setWindowTitle(QStringLiteral("Why not"));
    setModal(false);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    auto* find = new QLabel(QStringLiteral("&Find a species:"), this);
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("part of its name"));
    search_->setClearButtonEnabled(true);
    find->setBuddy(search_);
    species_model_ = new RowsModel({QStringLiteral("Species"), QStringLiteral("State"), QStringLiteral("Why")}, this);
    species_ = table_view(species_model_, this);
    species_->setColumnWidth(0, 200);
    species_->setColumnWidth(1, 340);
    auto* reasons = new QLabel(QStringLiteral("&Reasons of the species chosen:"), this);
    details_model_ = new RowsModel({QStringLiteral("Step"), QStringLiteral("Item"), QStringLiteral("Observed"),
                                    QStringLiteral("Recorded"), QStringLiteral("Accepted")},
                                   this);
    details_ = table_view(details_model_, this);
    details_->setColumnWidth(0, 150);
    details_->setColumnWidth(1, 110);
    details_->setColumnWidth(2, 170);
    details_->setColumnWidth(3, 200);
    reasons->setBuddy(details_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    auto* row = new QHBoxLayout;
    row->addWidget(find);
    row->addWidget(search_, 1);
    layout->addLayout(row);
    layout->addWidget(species_, 3);
    layout->addWidget(reasons);
    layout->addWidget(details_, 1);
    layout->addWidget(buttons);
    resize(1020, 620);

    connect(search_, &QLineEdit::textChanged, this, [this] { filter(); });
    connect(species_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { show_details(); });
    search_->installEventFilter(this);
}

void WhyNotWindow::show_explanation(std::shared_ptr<const Explanation> e, const SpeciesTable& table)
{
    explanation_ = std::move(e);
    table_ = &table;
    const int n = table.species_count;
    order_.clear();
    nearest_at_.assign(static_cast<std::size_t>(n) + 1, -1);
    if (explanation_ && explanation_->none_kept) {
        const std::vector<Nearest>& nearest = explanation_->nearest;
        for (std::size_t k = 0; k < nearest.size(); ++k) {
            order_.push_back(nearest[k].species);
            nearest_at_[static_cast<std::size_t>(nearest[k].species)] = static_cast<int>(k);
        }
    }
    for (int i = 1; i <= n; ++i)
        if (nearest_at_[static_cast<std::size_t>(i)] < 0)
            order_.push_back(static_cast<std::int16_t>(i));

    if (!explanation_) {
        summary_->setText(QStringLiteral("No step has run yet. Press NEXT: this window then says why each species "
                                         "was kept or rejected."));
    } else if (explanation_->none_kept) {
        const std::size_t close = explanation_->nearest_count();
        summary_->setText(QStringLiteral("No species agrees with the %1 data. The nearest come first: %2 failing "
                                         "only %3 at that step.")
                              .arg(step_name(explanation_->step))
                              .arg(close)
                              .arg(items_text(explanation_->nearest.empty() ? 0 : explanation_->nearest[0].failed)));
    } else {
        summary_->setText(QStringLiteral("Trees selected on %1 data: %2 of %3 species kept.")
                              .arg(step_name(explanation_->step))
                              .arg(kept_species(*explanation_).size())
                              .arg(n));
    }
    filter();
}

void WhyNotWindow::filter()
{
    const QString text = search_->text().trimmed();
    shown_.clear();
    for (const std::int16_t i : order_)
        if (text.isEmpty() || table_->names.at(static_cast<std::size_t>(i)).contains(text, Qt::CaseInsensitive))
            shown_.push_back(i);
    species_model_->reset(static_cast<int>(shown_.size()), [this](int row, int column) {
        const int i = shown_[static_cast<std::size_t>(row)];
        switch (column) {
        case 0: return QStringLiteral("Quenla ") + table_->names.at(static_cast<std::size_t>(i));
        case 1: return state(i);
        default: return why(i);
        }
    });
    if (!shown_.empty())
        species_->setCurrentIndex(species_model_->index(0, 0));
    show_details();
}

QString WhyNotWindow::state(int i) const
{
    if (!explanation_)
        return QStringLiteral("not tested");
    const int step = explanation_->rejected_at[static_cast<std::size_t>(i)];
    if (step < 0)
        return QStringLiteral("kept");
    QString text = QStringLiteral("rejected at ") + step_name(step);
    const int place = nearest_at_[static_cast<std::size_t>(i)];
    if (place >= 0) {
        const Nearest& n = explanation_->nearest[static_cast<std::size_t>(place)];
        if (static_cast<std::size_t>(place) < explanation_->nearest_count())
            text += QStringLiteral(", nearest");
        if (n.extend_keeps)
            text += QStringLiteral(", EXTEND keeps it");
    }
    return text;
}

QString WhyNotWindow::why(int i) const
{
    if (!explanation_)
        return QString();
    QStringList parts;
    for (const Reason& r : explanation_->reasons_of(i)) {
        const ReasonText t = describe(r, *table_, i, explanation_->seen(), explanation_->factors());
        parts << t.item + QStringLiteral(" ") + t.observed + QStringLiteral(", ")
                     + (t.accepted.isEmpty() ? QStringLiteral("recorded ") + t.recorded
                                             : QStringLiteral("accepted ") + t.accepted);
    }
    return parts.join(QStringLiteral("; "));
}

void WhyNotWindow::show_details()
{
    const int row = species_->currentIndex().row();
    std::vector<ReasonText> texts;
    int step = -1;
    if (explanation_ && row >= 0 && row < static_cast<int>(shown_.size())) {
        const int i = shown_[static_cast<std::size_t>(row)];
        step = explanation_->rejected_at[static_cast<std::size_t>(i)];
        for (const Reason& r : explanation_->reasons_of(i))
            texts.push_back(describe(r, *table_, i, explanation_->seen(), explanation_->factors()));
    }
    details_model_->reset(static_cast<int>(texts.size()), [texts, step](int r, int column) {
        const ReasonText& t = texts[static_cast<std::size_t>(r)];
        const QString cells[5] = {step_name(step), t.item, t.observed, t.recorded, t.accepted};
        return cells[column];
    });
}

void WhyNotWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && help) {
        help();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Up, Down, Page Up and Page Down in the search box move through the list,
// so a species can be found and chosen without leaving the box; Enter goes
// to the list.
bool WhyNotWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(species_, &copy);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            species_->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace qid
