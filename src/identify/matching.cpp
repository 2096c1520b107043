#include "identify/matching.h"

namespace qid {

namespace {

const Cell no_cell;

// The cells of one species in one table. A column beyond the table's last
// reads as an empty cell: a file with fewer columns records nothing there.
class Row {
public:
    Row(const CellTable& table, int i)
        : cells_(table.columns() > 0 ? &table.at(i, 0) : nullptr), columns_(table.columns())
    {
    }
    const Cell& operator[](int column) const { return column < columns_ ? cells_[column] : no_cell; }

private:
    const Cell* cells_;
    int columns_;
};

bool is_species_row(const CellTable& table, int i)
{
    return i >= 1 && i < table.rows();
}

// A size bound is recorded when its cell holds a non-zero number; a text in a
// size column is not a measure and records nothing.
bool measure_recorded(const Cell& c)
{
    return c.kind() != Cell::Kind::text && !c.equals_zero();
}

// The table value of a size cell in single precision, as every bound is formed.
float measure(const Cell& c)
{
    return static_cast<float>(c.number());
}

// True when a value lies within [lower, upper]; the bounds themselves pass.
bool within(std::int16_t value, float lower, float upper)
{
    const float v = value;
    return !(v < lower) && !(v > upper);
}

// A range of least and greatest recorded values, widened by the tree factor
// (lower bound only) and the range extension. Each product is rounded to
// single precision so that a whole-number bound such as 10 x 0.8 stays 8.
bool in_range(const Cell& least, const Cell& greatest, std::int16_t value, const Factors& f)
{
    if (!measure_recorded(least) || !measure_recorded(greatest) || value == 0)
        return true;
    const float shrink = 1.0f - f.range_ext;
    const float widen = 1.0f + f.range_ext;
    float lower = measure(least) * f.size_factor;
    lower = lower * shrink;
    const float upper = measure(greatest) * widen;
    return within(value, lower, upper);
}

// Colour pair rule of fruit and leaves: compared only when the species has
// both colours recorded, and only against the colours actually observed.
bool colours_agree(const Cell& first, const Cell& second, const std::array<QString, 2>& observed)
{
    if (first.equals_empty_text() || second.equals_empty_text())
        return true;
    const Cell* recorded[2] = {&first, &second};
    for (int k = 0; k < 2; ++k) {
        if (!observed[k].isEmpty() && !recorded[k]->text_is(observed[k]))
            return false;
    }
    return true;
}

// Length-to-width ratio of the observed leaflet against the species' mean
// ratio, within a fixed band of 90 % to 110 %.
bool leaflet_shape_agrees(const Row& leaf, const std::array<std::int16_t, 4>& leaf_size)
{
    const Cell* bounds[4];
    for (int c = 0; c < 4; ++c) {
        bounds[c] = &leaf[6 + c];
        if (!measure_recorded(*bounds[c]))
            return true;
    }
    if (leaf_size[2] < 1 || leaf_size[3] < 1)
        return true;
    const float r0 = static_cast<float>(bounds[0]->number() / bounds[2]->number());
    const float r1 = static_cast<float>(bounds[1]->number() / bounds[3]->number());
    const float mean = (r0 + r1) / 2.0f;
    const double ratio = static_cast<double>(leaf_size[2]) / static_cast<double>(leaf_size[3]);
    return !(ratio < 0.9 * mean) && !(ratio > 1.1 * mean);
}

// One bud property: compared only when both the species and the observation have it.
bool bud_property_agrees(const Cell& recorded, const QString& observed)
{
    if (recorded.equals_empty_text() || observed.isEmpty())
        return true;
    return recorded.text_is(observed);
}

// The typical bud length gives a range of 80 % to 110 % of it, lowered for a
// young tree and widened by the range extension, each product in single precision.
bool bud_length_agrees(const Cell& typical, std::int16_t bud_length, const Factors& f)
{
    if (!measure_recorded(typical) || bud_length == 0)
        return true;
    float lower = measure(typical) * f.bud_len_fac[0];
    lower = lower * f.size_factor;
    lower = lower * (1.0f - f.range_ext);
    float upper = measure(typical) * f.bud_len_fac[1];
    upper = upper * (1.0f + f.range_ext);
    return within(bud_length, lower, upper);
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
    const Row fruit(table.fruit, i);
    const bool colour = colours_agree(fruit[0], fruit[1], seen.fruit_colour);
    const bool size = in_range(fruit[2], fruit[3], seen.berry_size, factors);
    // The shape always counts: true is -1, false and an unrecorded shape 0.
    const bool shape = fruit[4].number() == (seen.spherical ? -1.0 : 0.0);
    return colour && size && shape;
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
    const Row leaf(table.leaf, i);
    const bool colour = colours_agree(leaf[0], leaf[1], seen.leaf_colour);
    const bool pairs = in_range(leaf[2], leaf[3], seen.leaf_size[0], factors);
    const bool length = in_range(leaf[4], leaf[5], seen.leaf_size[1], factors);
    const bool shape = leaflet_shape_agrees(leaf, seen.leaf_size);
    return colour && pairs && length && shape;
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
    const Row bud(table.bud, i);
    bool agrees = bud_length_agrees(bud[3], seen.bud_length, factors);
    for (int k = 0; k < 3; ++k)
        agrees = bud_property_agrees(bud[k], seen.bud_prop[static_cast<std::size_t>(k)]) && agrees;
    return agrees;
}

}  // namespace qid
