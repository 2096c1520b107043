#pragma once
// What the batch tool adds to a tree's result when asked: why species were
// rejected (every one, or one by name) with the nearest species when a step
// kept none, and what to look at next; as table lines, CSV cells or JSON.
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "batch/tree_entries.h"
#include "identify/cascade.h"
#include "identify/item_index.h"

namespace qid::batch {

struct ExplainRequest {
    bool why = false;
    int why_species = 0;  // the one species asked about (1..species_count), or 0 for every one rejected
    bool suggest = false;
};

// The species of that name (with or without "Quenla ", capitals aside), or 0.
int find_species(const SpeciesTable& table, const QString& name);

// Explains the trees of a batch against one table; safe to use from many threads.
class TreeExplainer {
public:
    TreeExplainer(const ItemIndex& index, const ExplainRequest& request);

    // The CSV columns it adds after the usual ones.
    QStringList csv_columns() const;
    // For a tree that was identified: lines after its steps in the table,
    // its cells in those columns, its keys in JSON. Nothing for a tree with errors.
    QString table_lines(const Tree& tree, const CascadeResult& result) const;
    QStringList csv_fields(const Tree& tree, const CascadeResult& result) const;
    void add_json(const Tree& tree, const CascadeResult& result, QJsonObject& entry) const;

private:
    struct Findings;
    Findings find(const Tree& tree, const CascadeResult& result) const;

    const ItemIndex& index_;
    ExplainRequest request_;
};

}  // namespace qid::batch
