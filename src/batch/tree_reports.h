#pragma once
// The reports of a batch in one PDF file.
#include <vector>

#include <QString>

#include "batch/tree_entries.h"
#include "identify/cascade.h"
#include "identify/table.h"

namespace qid::batch {

// Writes the report of every identified tree into the PDF file `pdf`, one
// tree after another, each with the pages PRINT gives it: the observations
// of every step its cascade ran and the species of the last one (none when
// that step found no trees). Needs the application object of the widgets,
// but no display. False, with the reason in `problem`, when the file cannot
// be written.
bool write_reports(const QString& pdf, const SpeciesTable& table, const std::vector<Tree>& trees,
                   const std::vector<CascadeResult>& results, QString& problem);

}  // namespace qid::batch
