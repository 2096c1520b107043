#include "identify/explain.h"

#include <algorithm>

#include "identify/matching.h"

namespace qid {

namespace {

using NoData = bool (*)(const ObservationSet&);
constexpr NoData no_data[3] = {no_fruit_data, no_leaf_data, no_bud_data};

// The candidates of a step that kept none, nearest first.
std::vector<Nearest> rank_nearest(const Explanation& e, const std::vector<std::int16_t>& candidates)
{
    Factors extended = e.factors();
    extended.range_ext = 0.2f;
    const StepItems items = observed_items(e.step, e.seen());
    std::vector<Reason> why;
    std::vector<Nearest> out;
    out.reserve(candidates.size());
    for (const std::int16_t i : candidates) {
        why.clear();
        Nearest n{i, append_reasons(e.table(), i, items, e.seen(), e.factors(), why), 0, false};
        for (const Reason& r : why)
            n.distance += r.distance;
        n.extend_keeps = passes(e.table(), i, items, e.seen(), extended);
        out.push_back(n);
    }
    std::stable_sort(out.begin(), out.end(), [](const Nearest& a, const Nearest& b) {
        return a.failed != b.failed ? a.failed < b.failed : a.distance < b.distance;
    });
    return out;
}

}  // namespace

Explanation::Explanation(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors)
    : rejected_at(static_cast<std::size_t>(table.species_count) + 1, -1), table_(&table), seen_(seen),
      factors_(factors)
{
}

std::vector<Reason> Explanation::reasons_of(int i) const
{
    const int s = rejected_at.at(static_cast<std::size_t>(i));
    return s < 0 ? std::vector<Reason>() : reasons(*table_, i, s, seen_, factors_);
}

std::size_t Explanation::nearest_count() const
{
    std::size_t n = 0;
    while (n < nearest.size() && nearest[n].failed == nearest.front().failed)
        ++n;
    return n;
}

Explanation explain(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors, int step)
{
    Explanation e(table, seen, factors);
    const int n = table.species_count;
    std::vector<std::int16_t> candidates;
    candidates.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i)
        candidates.push_back(static_cast<std::int16_t>(i));
    std::vector<std::int16_t> kept;
    for (int s = 0; s <= std::min(step, 2); ++s) {
        e.step = s;
        // Without observations a step keeps every candidate.
        if (!no_data[s](seen)) {
            const StepItems items = observed_items(s, seen);
            kept.clear();
            for (const std::int16_t i : candidates) {
                if (passes(table, i, items, seen, factors))
                    kept.push_back(i);
                else
                    e.rejected_at[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(s);
            }
            if (kept.empty())
                e.nearest = rank_nearest(e, candidates);
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
    for (std::size_t i = 1; i < e.rejected_at.size(); ++i)
        if (e.rejected_at[i] < 0)
            kept.push_back(static_cast<std::int16_t>(i));
    return kept;
}

}  // namespace qid
