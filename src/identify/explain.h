#pragma once
// What the cascade did with every species: kept through the step shown, or
// rejected at which step and why; and when a step keeps none, which species
// came nearest. It runs the steps as the cascade does, so its kept species
// are the cascade's survivors.
#include <cstdint>
#include <vector>

#include "identify/reasons.h"

namespace qid {

// A candidate of a step that kept none, in the order of nearness.
struct Nearest {
    std::int16_t species = 0;
    int failed = 0;             // items failed at the step
    double distance = 0;        // summed distances of its reasons
    bool extend_keeps = false;  // the step keeps it with the size ranges extended by 20 %
};

// One identification explained. It refers to the species table it was made
// from, which must outlive it.
class Explanation {
public:
    Explanation() = default;
    Explanation(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors);

    int step = -1;           // the last step run
    bool none_kept = false;  // that step kept no species
    // By species number (entry 0 unused): the step that rejected it, or -1
    // when kept through the step explained.
    std::vector<std::int8_t> rejected_at;
    // When none_kept: every candidate of the step, nearest first: fewest
    // items failed, then least distance outside the ranges, then file order.
    std::vector<Nearest> nearest;

    // Why species i was rejected: its reasons at the step that rejected it.
    std::vector<Reason> reasons_of(int i) const;
    // How many of the nearest fail as few items as the first.
    std::size_t nearest_count() const;
    const SpeciesTable& table() const { return *table_; }
    const ObservationSet& seen() const { return seen_; }
    const Factors& factors() const { return factors_; }

private:
    const SpeciesTable* table_ = nullptr;
    ObservationSet seen_;
    Factors factors_;
};

// Runs steps 0..step (at most 2) as the cascade does, stopping at a step
// that keeps no species. Only the nearest species' reasons are found here;
// any other's when asked for.
Explanation explain(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors, int step);

// The species kept through the step explained, in file order.
std::vector<std::int16_t> kept_species(const Explanation& e);

}  // namespace qid
