#include "identify/cascade.h"

#include <optional>

#include "identify/match_rows.h"
#include "identify/matching.h"

namespace qid {

namespace {

struct Step {
    const char* name;
    bool (*no_data)(const ObservationSet&);
};

constexpr Step steps[3] = {
    {"FRUIT", no_fruit_data},
    {"FRUIT and LEAF", no_leaf_data},
    {"FRUIT, LEAF and BUD", no_bud_data},
};

// Appends to `row` each candidate whose compiled row agrees with the query;
// a species beyond the table's rows never does.
template <class Row, class Query>
std::size_t keep(const std::vector<Row>& rows, const Query& q, const std::vector<std::int16_t>* before,
                 int candidates, std::vector<std::int16_t>& row)
{
    std::size_t count = 0;
    const std::size_t n = rows.size();
    for (int k = 1; k <= candidates; ++k) {
        const std::int16_t species = before ? (*before)[static_cast<std::size_t>(k)] : static_cast<std::int16_t>(k);
        const auto at = static_cast<std::size_t>(species);
        if (at < n && agrees(rows[at], q))
            row[++count] = species;
    }
    return count;
}

// One search step s: the candidates are every species for step 0, else the
// survivors of step s - 1. Without observations for the step every candidate
// survives.
std::int16_t search(int s, const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                    Selection& selected)
{
    const std::vector<std::int16_t>* before = s == 0 ? nullptr : &selected[static_cast<std::size_t>(s - 1)];
    const int candidates = before ? (before->empty() ? 0 : before->front()) : table.species_count;
    std::vector<std::int16_t>& row = selected[static_cast<std::size_t>(s)];
    if (row.size() < static_cast<std::size_t>(candidates) + 1)
        row.resize(static_cast<std::size_t>(candidates) + 1, 0);

    std::size_t count = 0;
    if (steps[s].no_data(seen)) {
        for (int k = 1; k <= candidates; ++k)
            row[++count] = before ? (*before)[static_cast<std::size_t>(k)] : static_cast<std::int16_t>(k);
    } else {
        std::optional<MatchRows> compiled;
        const MatchRows& rows = table.match_rows ? *table.match_rows : compiled.emplace(table);
        switch (s) {
        case 0: count = keep(rows.fruit, fruit_query(seen, factors, rows.codes), before, candidates, row); break;
        case 1: count = keep(rows.leaf, leaf_query(seen, factors, rows.codes), before, candidates, row); break;
        default: count = keep(rows.bud, bud_query(seen, factors, rows.codes), before, candidates, row); break;
        }
    }
    row[0] = static_cast<std::int16_t>(count);
    return row[0];
}

}  // namespace

QString step_name(int s)
{
    return s >= 0 && s <= 2 ? QString::fromLatin1(steps[s].name) : QString();
}

QString no_trees_message(int s)
{
    return QStringLiteral("There are no trees which match the entered ") + step_name(s) + QStringLiteral(" data!");
}

std::int16_t srch_fruit(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                        Selection& selected)
{
    return search(0, table, seen, factors, selected);
}

std::int16_t srch_leaf(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                       Selection& selected)
{
    return search(1, table, seen, factors, selected);
}

std::int16_t srch_bud(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                      Selection& selected)
{
    return search(2, table, seen, factors, selected);
}

CascadeResult run_cascade(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors)
{
    using StepFn = std::int16_t (*)(const SpeciesTable&, const ObservationSet&, const Factors&, Selection&);
    constexpr StepFn run[3] = {srch_fruit, srch_leaf, srch_bud};
    CascadeResult r;
    for (std::int16_t s = 0; s < 3; ++s) {
        r.stage = s;
        if (run[s](table, seen, factors, r.selected) == 0) {
            r.stopped = s;
            break;
        }
    }
    return r;
}

}  // namespace qid
