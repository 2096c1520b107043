#pragma once
// Identifies many trees at once against one species table.
#include <vector>

#include "batch/tree_entries.h"
#include "identify/cascade.h"
#include "identify/table.h"

namespace qid::batch {

// Each tree's cascade, in the order of the trees, run as three presses of
// NEXT would run it. The trees are shared among `threads` threads (0: one
// per core); a tree with errors is not identified and its result is empty.
std::vector<CascadeResult> identify_trees(const SpeciesTable& table, const std::vector<Tree>& trees,
                                          unsigned threads = 0);

}  // namespace qid::batch
