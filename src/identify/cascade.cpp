#include "identify/cascade.h"

#include "identify/matching.h"

namespace qid {

namespace {

struct Step {
    const char* name;
    bool (*no_data)(const ObservationSet&);
    bool (*match)(const SpeciesTable&, int, const ObservationSet&, const Factors&);
};

constexpr Step steps[3] = {
    {"FRUIT", no_fruit_data, fruit_match},
    {"FRUIT and LEAF", no_leaf_data, leaf_match},
    {"FRUIT, LEAF and BUD", no_bud_data, bud_match},
};

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

    const Step& step = steps[s];
    const bool keep_all = step.no_data(seen);
    std::size_t count = 0;
    for (int k = 1; k <= candidates; ++k) {
        const std::int16_t species = before ? (*before)[static_cast<std::size_t>(k)] : static_cast<std::int16_t>(k);
        if (keep_all || step.match(table, species, seen, factors))
            row[++count] = species;
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
