#pragma once
// The species table in the compact form that a pass over every species
// needs: for each colour item a small number per species, for each size or
// count item its recorded measures, for the leaflet shape its band. It is
// made once from a table that never changes, and gives exactly what the
// table gives through the same functions.
#include <cstdint>
#include <optional>
#include <vector>

#include <QStringList>

#include "identify/reasons.h"

namespace qid {

class ItemIndex {
public:
    explicit ItemIndex(const SpeciesTable& table);

    const SpeciesTable& table() const { return *table_; }
    int species_count() const { return table_->species_count; }

    // A colour item of every species as a number (-1 when the test does
    // not compare it), by species number, and the colours the numbers stand for.
    const std::vector<std::int16_t>& colours(Item item) const { return colours_[colour_slot(item)]; }
    const QStringList& colour_texts(Item item) const { return texts_[colour_slot(item)]; }

    // What accepted() gives for a size, count or leaflet shape item.
    std::optional<Bounds> accepted(Item item, int i, const Factors& factors) const;
    // The species with a leaflet band, by the lower end of their band.
    const std::vector<std::int16_t>& by_band() const { return by_band_; }

private:
    static std::size_t colour_slot(Item item);
    static std::size_t range_slot(Item item);

    const SpeciesTable* table_;
    std::vector<std::vector<std::int16_t>> colours_;  // 7 colour items by species
    std::vector<QStringList> texts_;
    std::vector<std::vector<std::optional<Measures>>> measures_;  // 4 size and count items by species
    std::vector<std::optional<Bounds>> bands_;
    std::vector<std::int16_t> by_band_;
};

}  // namespace qid
