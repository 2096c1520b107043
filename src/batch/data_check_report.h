#pragma once
// The data check of a species file as the batch tool writes it: a readable
// report, CSV or JSON Lines, one finding to a line.
#include <QString>

#include "batch/tree_results.h"
#include "identify/data_check.h"

namespace qid::batch {

// The findings; the table begins with what was checked and found.
QString format_check(Format format, const DataCheck& check, const SpeciesData& data, const QString& file);

// "49 species checked: 0 records that cannot be right, 3 pairs that cannot be told apart."
QString check_summary(const DataCheck& check);

}  // namespace qid::batch
