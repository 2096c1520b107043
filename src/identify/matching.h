#pragma once
// The three matching tests of the identification: each compares one species
// of a species table with an observation set under the given factors. None
// changes anything, so they may run on many threads at once.
#include "identify/observation.h"
#include "identify/table.h"

namespace qid {

// True when nothing about the fruit counts as entered.
bool no_fruit_data(const ObservationSet& seen);
// True when species i (1..species_count) agrees with every fruit observation that applies.
bool fruit_match(const SpeciesTable& table, int i, const ObservationSet& seen, const Factors& factors);

bool no_leaf_data(const ObservationSet& seen);
bool leaf_match(const SpeciesTable& table, int i, const ObservationSet& seen, const Factors& factors);

bool no_bud_data(const ObservationSet& seen);
bool bud_match(const SpeciesTable& table, int i, const ObservationSet& seen, const Factors& factors);

}  // namespace qid
