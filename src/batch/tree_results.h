#pragma once
// What a batch found, one record per tree in the order of the trees: a
// readable table, CSV, or JSON Lines.
#include <vector>

#include <QString>
#include <QStringList>

#include "batch/tree_entries.h"
#include "identify/cascade.h"
#include "identify/table.h"

namespace qid::batch {

enum class Format { table, csv, jsonl };

// The species step s kept, by their names in the species file.
QStringList kept_names(const SpeciesTable& table, const CascadeResult& result, int s);

// Every tree with the species left after each step it ran and where it
// stopped, or why it could not be identified.
QString format_results(Format format, const SpeciesTable& table, const std::vector<Tree>& trees,
                       const std::vector<CascadeResult>& results);

}  // namespace qid::batch
