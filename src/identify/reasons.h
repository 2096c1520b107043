#pragma once
// Why a species fails a step: each item of the step's test that rejects it,
// with what was observed and the bound the test actually used. The bounds
// are formed with the same single-precision arithmetic as the matching
// tests, so a species has reasons at a step exactly when that step's test
// rejects it.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "identify/observation.h"
#include "identify/table.h"

namespace qid {

// Every observation a step compares, in the order of the steps.
enum class Item : std::uint8_t {
    initial_colour, final_colour, berry_size, berry_shape,                        // FRUIT
    colour_above, colour_below, leaflet_pairs, leaf_length, leaflet_shape,          // LEAF
    bud_colour, bud_hairs, sticky, bud_length,                                      // BUD
};
constexpr int item_count = 13;

// The step (0..2) that compares an item.
int item_step(Item item);
// "berry size", "colour above", ...
QString item_name(Item item);
// Whether the item is a size, a count or the leaflet shape (compared against a
// range), rather than a colour or the berry shape.
bool is_range_item(Item item);

// One failed item. For a range the accepted bounds as the test formed them
// (single precision, or the leaflet band in double precision) and the
// observed value; `distance` is how far the observation lies outside the
// bounds relative to their width, and 1 for a colour or a shape.
struct Reason {
    Item item = Item::initial_colour;
    double observed = 0;
    double lower = 0;
    double upper = 0;
    double distance = 1;
};

// The items of step s (0..2) that the observation set observes: only these
// can reject a species, so a run over many species looks at these alone.
struct StepItems {
    std::array<Item, 5> items{};
    int count = 0;
};
StepItems observed_items(int s, const ObservationSet& seen);

// Appends the reasons species i fails step s (0..2) to `out` and returns how
// many it appended: none exactly when the step's matching test keeps it.
int append_reasons(const SpeciesTable& table, int i, int s, const ObservationSet& seen, const Factors& factors,
                   std::vector<Reason>& out);
// The same for the items of a step observed, found once for many species.
int append_reasons(const SpeciesTable& table, int i, const StepItems& step, const ObservationSet& seen,
                   const Factors& factors, std::vector<Reason>& out);
std::vector<Reason> reasons(const SpeciesTable& table, int i, int s, const ObservationSet& seen,
                            const Factors& factors);

// Whether species i passes every observed item of a step (stopping at the first it fails).
bool passes(const SpeciesTable& table, int i, const StepItems& step, const ObservationSet& seen,
            const Factors& factors);

// Whether species i fails this one item (and why, when `why` is given).
bool item_fails(const SpeciesTable& table, int i, Item item, const ObservationSet& seen, const Factors& factors,
                Reason* why = nullptr);

// The values a range item of species i accepts under these factors: the
// bounds of its test, or nothing when the species does not record the item.
struct Bounds {
    double lower = 0;
    double upper = 0;
};
std::optional<Bounds> accepted(const SpeciesTable& table, int i, Item item, const Factors& factors);

// The least and greatest measure a size or count item records for species i
// in single precision (the bud length records one, its typical length), or
// nothing when it is not recorded; and the bounds formed from them.
struct Measures {
    float least = 0;
    float greatest = 0;
};
std::optional<Measures> recorded_measures(const SpeciesTable& table, int i, Item item);
Bounds range_bounds(Item item, const Measures& m, const Factors& factors);

// The cell a colour item of species i records, or nullptr when the test
// does not compare that colour for it (not recorded, or for the fruit and
// leaf colours, the other colour of the pair not recorded).
const Cell* recorded_colour(const SpeciesTable& table, int i, Item item);
// Whether the item is observed in this observation set (the test may apply).
bool observed(Item item, const ObservationSet& seen);

// A reason in words, for a list or a report.
struct ReasonText {
    QString item;      // "berry size"
    QString observed;  // "6 mm"
    QString recorded;  // "8 to 12 mm"
    QString accepted;  // "6.4 to 12 mm (young tree)"; empty for a colour or a shape
    // "berry size: observed 6 mm, recorded 8 to 12 mm, accepted 6.4 to 12 mm (young tree)"
    QString sentence() const;
};
ReasonText describe(const Reason& reason, const SpeciesTable& table, int i, const ObservationSet& seen,
                    const Factors& factors);

}  // namespace qid
