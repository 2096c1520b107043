#pragma once
// A tree's cells understood as the window's controls would hold them: an
// observation set and its factors, each cell checked against its choice list
// or its range.
#include <array>

#include <QString>
#include <QStringList>

#include "batch/tree_file.h"
#include "identify/observation.h"

namespace qid::batch {

// The columns a tree may have: "id", then the observations in the order the
// window takes them.
QStringList tree_columns();
// Whether a column name as a file writes it names one of them.
bool is_tree_column(const QString& name);

// One tree to identify.
struct Tree {
    int row = 0;
    QString id;
    ObservationSet seen;
    Factors factors;
    QStringList errors;    // each names the row and the column; a tree with errors is not identified
    QStringList warnings;  // cells the window would not have used either; the tree is identified
};

// A tree from its cells, for the species file's choice lists. Column names
// are read without regard to case, and blanks or hyphens stand for "_". An
// empty or missing cell is "not recorded", as a control left alone: no
// colour chosen, the berries spherical, the tree not young. The final colour
// and the colour below are taken only with an initial colour and a colour
// above, as the window takes them (a warning says when one is not used); left
// empty they are the first entries of their lists, which the window chooses
// by default. With `extend` every size range is widened by 20 %.
Tree read_tree(const TreeRecord& record, const std::array<QStringList, 7>& lists, bool extend);

}  // namespace qid::batch
