#include "identify/match_rows.h"

namespace qid {

namespace {

// A size is recorded when its cell holds a number other than 0; a text in a
// size column is not a measure (its number is 0).
bool recorded(const Cell& c)
{
    return c.number() != 0.0;
}

SizeRange size_range(const CellTable& table, int i, int least)
{
    const Cell& low = table.cell(i, least);
    const Cell& high = table.cell(i, least + 1);
    return {static_cast<float>(low.number()), static_cast<float>(high.number()), recorded(low) && recorded(high)};
}

// Fruit and leaf colours count only as a pair: both recorded, or neither compared.
void colour_pair(const CellTable& table, int i, TextCodes& codes, std::int32_t (&colour)[2])
{
    const QString first = table.cell(i, 0).text();
    const QString second = table.cell(i, 1).text();
    if (first.isEmpty() || second.isEmpty())
        return;
    colour[0] = codes.add(first);
    colour[1] = codes.add(second);
}

SizeSeen size_seen(std::int16_t value, const Factors& f)
{
    return {value != 0, static_cast<float>(value), f.size_factor, 1.0f - f.range_ext, 1.0f + f.range_ext};
}

}  // namespace

std::int32_t TextCodes::add(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const auto known = codes_.constFind(text);
    if (known != codes_.cend())
        return *known;
    return *codes_.insert(text, static_cast<std::int32_t>(codes_.size()) + 1);
}

std::int32_t TextCodes::find(const QString& text) const
{
    return text.isEmpty() ? 0 : codes_.value(text, -1);
}

FruitRow fruit_row(const CellTable& fruit, int i, TextCodes& codes)
{
    FruitRow r;
    colour_pair(fruit, i, codes, r.colour);
    r.size = size_range(fruit, i, 2);
    r.shape = fruit.cell(i, 4).number();
    return r;
}

LeafRow leaf_row(const CellTable& leaf, int i, TextCodes& codes)
{
    LeafRow r;
    colour_pair(leaf, i, codes, r.colour);
    r.pairs = size_range(leaf, i, 2);
    r.length = size_range(leaf, i, 4);
    // The mean of the ratios of the least and of the greatest leaflet, each
    // in single precision; the band around it in double precision.
    const SizeRange lengths = size_range(leaf, i, 6);
    const SizeRange widths = size_range(leaf, i, 8);
    r.banded = lengths.recorded && widths.recorded;
    if (r.banded) {
        const float r0 = static_cast<float>(leaf.cell(i, 6).number() / leaf.cell(i, 8).number());
        const float r1 = static_cast<float>(leaf.cell(i, 7).number() / leaf.cell(i, 9).number());
        const float mean = (r0 + r1) / 2.0f;
        r.band_low = 0.9 * mean;
        r.band_high = 1.1 * mean;
    }
    return r;
}

BudRow bud_row(const CellTable& bud, int i, TextCodes& codes)
{
    BudRow r;
    for (int k = 0; k < 3; ++k)
        r.prop[k] = codes.add(bud.cell(i, k).text());
    const Cell& typical = bud.cell(i, 3);
    r.typical = static_cast<float>(typical.number());
    r.typical_recorded = recorded(typical);
    return r;
}

MatchRows::MatchRows(const SpeciesTable& table)
{
    fruit.reserve(static_cast<std::size_t>(table.fruit.rows()));
    for (int i = 0; i < table.fruit.rows(); ++i)
        fruit.push_back(fruit_row(table.fruit, i, codes));
    leaf.reserve(static_cast<std::size_t>(table.leaf.rows()));
    for (int i = 0; i < table.leaf.rows(); ++i)
        leaf.push_back(leaf_row(table.leaf, i, codes));
    bud.reserve(static_cast<std::size_t>(table.bud.rows()));
    for (int i = 0; i < table.bud.rows(); ++i)
        bud.push_back(bud_row(table.bud, i, codes));
}

FruitQuery fruit_query(const ObservationSet& seen, const Factors& f, const TextCodes& codes)
{
    return {{codes.find(seen.fruit_colour[0]), codes.find(seen.fruit_colour[1])},
            size_seen(seen.berry_size, f),
            seen.spherical ? -1.0 : 0.0};
}

LeafQuery leaf_query(const ObservationSet& seen, const Factors& f, const TextCodes& codes)
{
    const std::array<std::int16_t, 4>& s = seen.leaf_size;
    return {{codes.find(seen.leaf_colour[0]), codes.find(seen.leaf_colour[1])},
            size_seen(s[0], f),
            size_seen(s[1], f),
            s[2] >= 1 && s[3] >= 1,
            s[3] != 0 ? static_cast<double>(s[2]) / static_cast<double>(s[3]) : 0.0};
}

BudQuery bud_query(const ObservationSet& seen, const Factors& f, const TextCodes& codes)
{
    return {{codes.find(seen.bud_prop[0]), codes.find(seen.bud_prop[1]), codes.find(seen.bud_prop[2])},
            seen.bud_length != 0,
            static_cast<float>(seen.bud_length),
            f.bud_len_fac[0],
            f.size_factor,
            1.0f - f.range_ext,
            f.bud_len_fac[1],
            1.0f + f.range_ext};
}

}  // namespace qid
