#include "identify/explain.h"

#include <algorithm>

#include "identify/matching.h"

namespace qid {

namespace {

using NoData = bool (*)(const ObservationSet&);
constexpr NoData no_data[3] = {no_fruit_data, no_leaf_data, no_bud_data};

// The candidates of a step that kept none, nearest first.
std::vector<Nearest> rank_nearest(const Explanation& e, const SpeciesTable& table, const ObservationSet& seen,
                                  const Factors& factors, const std::vector<std::int16_t>& candidates)
{
    Factors extended = factors;
    extended.range_ext = 0.2f;
    std::vector<Reason> scratch;
    std::vector<Nearest> out;
    out.reserve(candidates.size());
    for (const std::int16_t i : candidates) {
        Nearest n{i, 0, 0, false};
        for (const Reason& r : e.reasons_of(i)) {
            ++n.failed;
            n.distance += r.distance;
        }
        scratch.clear();
        n.extend_keeps = append_reasons(table, i, e.step, seen, extended, scratch) == 0;
        out.push_back(n);
    }
    std::stable_sort(out.begin(), out.end(), [](const Nearest& a, const Nearest& b) {
        return a.failed != b.failed ? a.failed < b.failed : a.distance < b.distance;
    });
    return out;
}

}  // namespace

std::size_t Explanation::nearest_count() const
{
    std::size_t n = 0;
    while (n < nearest.size() && nearest[n].failed == nearest.front().failed)
        ++n;
    return n;
}

Explanation explain(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors, int step)
{
    Explanation e;
    const int n = table.species_count;
    e.states.resize(static_cast<std::size_t>(n) + 1);
    std::vector<std::int16_t> candidates;
    candidates.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i)
        candidates.push_back(static_cast<std::int16_t>(i));
    std::vector<std::int16_t> kept;
    for (int s = 0; s <= std::min(step, 2); ++s) {
        e.step = s;
        // Without observations a step keeps every candidate.
        if (!no_data[s](seen)) {
            kept.clear();
            for (const std::int16_t i : candidates) {
                SpeciesState& state = e.states[static_cast<std::size_t>(i)];
                state.first_reason = static_cast<std::uint32_t>(e.reasons.size());
                state.reason_count =
                    static_cast<std::uint16_t>(append_reasons(table, i, s, seen, factors, e.reasons));
                if (state.reason_count == 0)
                    kept.push_back(i);
                else
                    state.rejected_at = static_cast<std::int8_t>(s);
            }
            if (kept.empty())
                e.nearest = rank_nearest(e, table, seen, factors, candidates);
            candidates.swap(kept);
        }
        if (candidates.empty()) {
            e.none_kept = true;
            break;
        }
    }
    return e;
}

std::vector<std::int16_t> kept_species(const Explanation& e)
{
    std::vector<std::int16_t> kept;
    if (e.none_kept)
        return kept;
    for (std::size_t i = 1; i < e.states.size(); ++i)
        if (e.states[i].rejected_at < 0)
            kept.push_back(static_cast<std::int16_t>(i));
    return kept;
}

}  // namespace qid
