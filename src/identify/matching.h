#pragma once
// The three matching tests of the identification: each compares one species
// of the species table with the observation set, using the shared size
// factor, range extension and bud-length multipliers. None changes any state.

namespace qid {

// True when nothing about the fruit counts as entered.
bool no_fruit_data();
// True when species i (1..species_count) agrees with every fruit observation that applies.
bool fruit_match(int i);

bool no_leaf_data();
bool leaf_match(int i);

bool no_bud_data();
bool bud_match(int i);

}  // namespace qid
