#pragma once
// What the cascade did with every species: kept through the step shown, or
// rejected at which step and why; and when a step keeps none, which species
// came nearest. It runs the steps as the cascade does, so its kept species
// are the cascade's survivors.
#include <cstdint>
#include <span>
#include <vector>

#include "identify/reasons.h"

namespace qid {

// One species: the step that rejected it (-1 when kept through the step
// explained) and its reasons there.
struct SpeciesState {
    std::int8_t rejected_at = -1;
    std::uint16_t reason_count = 0;
    std::uint32_t first_reason = 0;
};

// A candidate of a step that kept none, in the order of nearness.
struct Nearest {
    std::int16_t species = 0;
    int failed = 0;         // items failed at the step
    double distance = 0;    // summed distances of its reasons
    bool extend_keeps = false;  // the step keeps it with the size ranges extended by 20 %
};

struct Explanation {
    int step = -1;           // the last step run
    bool none_kept = false;  // that step kept no species
    std::vector<SpeciesState> states;  // by species number; entry 0 unused
    std::vector<Reason> reasons;
    // When none_kept: every candidate of the step, nearest first: fewest
    // items failed, then least distance outside the ranges, then file order.
    std::vector<Nearest> nearest;

    std::span<const Reason> reasons_of(int i) const
    {
        const SpeciesState& s = states.at(static_cast<std::size_t>(i));
        return std::span<const Reason>(reasons).subspan(s.first_reason, s.reason_count);
    }
    // How many of the nearest fail as few items as the first.
    std::size_t nearest_count() const;
};

// Runs steps 0..step (at most 2) as the cascade does, stopping at a step
// that keeps no species.
Explanation explain(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors, int step);

// The species kept through the step explained, in file order.
std::vector<std::int16_t> kept_species(const Explanation& e);

}  // namespace qid
