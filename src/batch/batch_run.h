#pragma once
// One run of quenla-id-batch, from its options to its exit status.
#include <QString>

#include "batch/tree_results.h"

namespace qid::batch {

// Exit statuses.
enum Status {
    all_identified = 0,  // every tree of the file was identified
    some_failed = 1,     // some trees were identified, but not every row of the file
    cannot_run = 2,      // no tree was identified, or a result or report could not be written
};

struct Options {
    QString trees;  // the file of trees; "-" for standard input
    QString data;   // the species file
    Format format = Format::table;
    bool extend = false;
    QString report;  // the PDF file of the reports; empty for none
    bool why = false;
    QString why_name;  // the one species asked about; empty for every one rejected
    bool suggest = false;
    bool check_data = false;  // check the species file instead of identifying trees
};

// Why standard output cannot take the results; empty when it can. Asked
// before anything else is opened: a closed standard output would otherwise
// be the next file opened, and the results would go into it.
QString output_problem();

// Checks that the species file, the trees and the report can be used before
// the first tree is identified, then identifies every tree and writes its
// result and its report as it is done. Every problem is said on standard error.
int run_batch(const Options& o);

// Checks the species file o.data and writes what it finds: 0 when nothing,
// 1 when something, 2 when the file cannot be read.
int check_species_file(const Options& o);

}  // namespace qid::batch
