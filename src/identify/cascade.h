#pragma once
// The identification cascade: step 0 keeps the species that agree with the
// fruit observations, step 1 those of step 0 that also agree with the leaf
// observations, step 2 those of step 1 that also agree with the bud
// observations. Each step writes its survivors into its row of the selection
// and reads nothing else that changes, so separate identifications may run
// on separate threads over one species table.
#include <cstdint>

#include <QString>

#include "identify/observation.h"
#include "identify/table.h"

namespace qid {

// "FRUIT", "FRUIT and LEAF" or "FRUIT, LEAF and BUD": the name of step s (0..2).
QString step_name(int s);
// What is said when step s keeps no species.
QString no_trees_message(int s);

// The three steps; each returns the number of species it kept and stores
// them in its row of `selected` (step 1 and 2 take theirs from the row before).
std::int16_t srch_fruit(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                        Selection& selected);
std::int16_t srch_leaf(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                       Selection& selected);
std::int16_t srch_bud(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                      Selection& selected);

// A whole identification, as three presses of NEXT run it.
struct CascadeResult {
    Selection selected;
    std::int16_t stage = -1;    // the last step run, 0..2; -1 when none ran
    std::int16_t stopped = -1;  // the step that kept no species, or -1 when all three kept some
};
CascadeResult run_cascade(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors);

}  // namespace qid
