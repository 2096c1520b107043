#pragma once
// What a batch found, one record per tree in the order of the trees: a
// readable table, CSV, or JSON Lines. Each record is written as soon as its
// tree is done.
#include <QString>
#include <QStringList>

#include "batch/identify_trees.h"
#include "batch/tree_explain.h"
#include "identify/table.h"

namespace qid::batch {

enum class Format { table, csv, jsonl };

// The species step s kept, by their names in the species file.
QStringList kept_names(const SpeciesTable& table, const CascadeResult& result, int s);

// A tree with the species left after each step it ran and where it stopped,
// or why it could not be identified, and what `explainer` adds when given;
// the first also with what goes before every record (the CSV header).
QString format_result(Format format, const SpeciesTable& table, const TreeResult& result, bool first,
                      const TreeExplainer* explainer = nullptr);

// A CSV cell, in double quotes when it holds a comma, a quote, a line end or
// any other control character, a half of a surrogate pair standing alone, or
// blanks at either end.
QString csv_cell(const QString& text);

}  // namespace qid::batch
