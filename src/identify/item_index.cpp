#include "identify/item_index.h"

#include <algorithm>

#include <QHash>

namespace qid {

namespace {

// The items in the order of their slots.
constexpr Item colour_items[7] = {Item::initial_colour, Item::final_colour, Item::colour_above, Item::colour_below,
                                  Item::bud_colour,     Item::bud_hairs,    Item::sticky};
constexpr Item range_items[4] = {Item::berry_size, Item::leaflet_pairs, Item::leaf_length, Item::bud_length};

}  // namespace

std::size_t ItemIndex::colour_slot(Item item)
{
    switch (item) {
    case Item::initial_colour: return 0;
    case Item::final_colour: return 1;
    case Item::colour_above: return 2;
    case Item::colour_below: return 3;
    case Item::bud_colour: return 4;
    case Item::bud_hairs: return 5;
    default: return 6;
    }
}

std::size_t ItemIndex::range_slot(Item item)
{
    switch (item) {
    case Item::berry_size: return 0;
    case Item::leaflet_pairs: return 1;
    case Item::leaf_length: return 2;
    default: return 3;
    }
}

ItemIndex::ItemIndex(const SpeciesTable& table)
    : table_(&table), colours_(7), texts_(7), measures_(4)
{
    const auto rows = static_cast<std::size_t>(table.species_count) + 1;
    for (std::size_t k = 0; k < 7; ++k) {
        colours_[k].assign(rows, -1);
        QHash<QString, int> ids;
        for (int i = 1; i <= table.species_count; ++i) {
            const Cell* c = recorded_colour(table, i, colour_items[k]);
            if (!c)
                continue;
            const QString text = c->text();
            auto found = ids.constFind(text);
            if (found == ids.constEnd()) {
                found = ids.insert(text, static_cast<int>(texts_[k].size()));
                texts_[k].append(text);
            }
            colours_[k][static_cast<std::size_t>(i)] = static_cast<std::int16_t>(*found);
        }
    }
    for (std::size_t r = 0; r < 4; ++r) {
        measures_[r].resize(rows);
        for (int i = 1; i <= table.species_count; ++i)
            measures_[r][static_cast<std::size_t>(i)] = recorded_measures(table, i, range_items[r]);
    }
    bands_.resize(rows);
    for (int i = 1; i <= table.species_count; ++i) {
        bands_[static_cast<std::size_t>(i)] = qid::accepted(table, i, Item::leaflet_shape, Factors{});
        if (bands_[static_cast<std::size_t>(i)])
            by_band_.push_back(static_cast<std::int16_t>(i));
    }
    std::stable_sort(by_band_.begin(), by_band_.end(), [this](std::int16_t a, std::int16_t b) {
        return bands_[static_cast<std::size_t>(a)]->lower < bands_[static_cast<std::size_t>(b)]->lower;
    });
}

std::optional<Bounds> ItemIndex::accepted(Item item, int i, const Factors& factors) const
{
    if (item == Item::leaflet_shape)
        return bands_[static_cast<std::size_t>(i)];
    const std::optional<Measures>& m = measures_[range_slot(item)][static_cast<std::size_t>(i)];
    return m ? std::optional<Bounds>(range_bounds(item, *m, factors)) : std::nullopt;
}

}  // namespace qid
