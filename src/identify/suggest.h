#pragma once
// What to look at next: for the species still listed, each observation not
// yet made, ranked by how far it would narrow the list. The measure is the
// expected number of species left after observing it, when the tree is
// equally likely to show any value the listed species record (for a colour,
// each species' recorded colour; for a size, any whole number in a
// species' accepted range; for the leaflet shape, any ratio in its band).
#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "identify/item_index.h"

namespace qid {

// The values of an item that keep the same species.
struct ValueGroup {
    QString value;         // a colour; empty for a range item
    double least = 0;      // for a range item, the observations of the group: whole
    double greatest = 0;   // numbers, or length-to-width ratios for the leaflet shape
    int kept = 0;          // species left when such a value is observed
};

struct Suggestion {
    Item item = Item::initial_colour;
    double expected_left = 0;  // species expected to be left after observing it
    int judged = 0;            // species the observation would be compared with
    std::vector<ValueGroup> groups;
};

// The items not yet observed that could split the species `listed` after
// step `shown` (-1..2), best first (fewest species expected to be left, then
// in the order of the steps). An item that keeps every species whatever
// value they record is not offered. The species an item is judged on are
// those listed that the steps up to the item's own would still keep with
// the observations already made.
std::vector<Suggestion> suggest(const ItemIndex& index, const ObservationSet& seen, const Factors& factors,
                                std::span<const std::int16_t> listed, int shown);

// The species of `listed` left when the item is observed with a value of the group.
std::vector<std::int16_t> kept_by(const ItemIndex& index, const ObservationSet& seen, const Factors& factors,
                                  std::span<const std::int16_t> listed, int shown, Item item,
                                  const ValueGroup& group);

// A group's values in words: "RED", "8 to 9 mm", "ratio 1.8 to 2.2".
QString group_values(Item item, const ValueGroup& group);

}  // namespace qid
