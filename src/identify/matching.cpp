#include "identify/matching.h"

#include "identify/match_rows.h"

namespace qid {

namespace {

bool is_species_row(const CellTable& table, int i)
{
    return i >= 1 && i < table.rows();
}

}  // namespace

bool no_fruit_data(const ObservationSet& seen)
{
    return seen.fruit_colour[0].isEmpty() && seen.berry_size <= 0 && seen.spherical;
}

bool fruit_match(const SpeciesTable& table, int i, const ObservationSet& seen, const Factors& factors)
{
    if (!is_species_row(table.fruit, i))
        return false;
    TextCodes codes;  // the species' own texts; an observed text it lacks differs
    const FruitRow row = fruit_row(table.fruit, i, codes);
    return agrees(row, fruit_query(seen, factors, codes));
}

bool no_leaf_data(const ObservationSet& seen)
{
    if (!seen.leaf_colour[0].isEmpty())
        return false;
    for (const std::int16_t v : seen.leaf_size) {
        if (v > 0)
            return false;
    }
    return true;
}

bool leaf_match(const SpeciesTable& table, int i, const ObservationSet& seen, const Factors& factors)
{
    if (!is_species_row(table.leaf, i))
        return false;
    TextCodes codes;
    const LeafRow row = leaf_row(table.leaf, i, codes);
    return agrees(row, leaf_query(seen, factors, codes));
}

bool no_bud_data(const ObservationSet& seen)
{
    for (const QString& p : seen.bud_prop) {
        if (!p.isEmpty())
            return false;
    }
    return seen.bud_length == 0;
}

bool bud_match(const SpeciesTable& table, int i, const ObservationSet& seen, const Factors& factors)
{
    if (!is_species_row(table.bud, i))
        return false;
    TextCodes codes;
    const BudRow row = bud_row(table.bud, i, codes);
    return agrees(row, bud_query(seen, factors, codes));
}

}  // namespace qid
