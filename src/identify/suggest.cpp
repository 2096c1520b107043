#include "identify/suggest.h"

#include <algorithm>
#include <cmath>


#include "identify/matching.h"

namespace qid {

namespace {

using NoData = bool (*)(const ObservationSet&);
constexpr NoData no_data[3] = {no_fruit_data, no_leaf_data, no_bud_data};
constexpr double largest_observation = 32767;

// The listed species an observation of an item of step t is compared with:
// those the steps after `shown` up to t would keep, step t comparing every
// observation once this one is made.
std::vector<std::int16_t> judged_species(const SpeciesTable& table, const ObservationSet& seen, const Factors& f,
                                         std::span<const std::int16_t> listed, int shown, int t)
{
    // The steps to pass, each with the items observed (a step before t without observations keeps all).
    std::vector<StepItems> steps{observed_items(t, seen)};
    for (int u = std::max(shown + 1, 0); u < t; ++u)
        if (!no_data[u](seen))
            steps.push_back(observed_items(u, seen));
    std::vector<std::int16_t> out;
    out.reserve(listed.size());
    for (const std::int16_t i : listed)
        if (std::all_of(steps.begin(), steps.end(), [&](const StepItems& s) { return passes(table, i, s, seen, f); }))
            out.push_back(i);
    return out;
}

// Whether the item would be compared if it were observed now: the second
// colour of a pair is taken only with the first.
bool could_observe(Item item, const ObservationSet& seen)
{
    if (item == Item::berry_shape || observed(item, seen))
        return false;
    if (item == Item::final_colour)
        return observed(Item::initial_colour, seen);
    if (item == Item::colour_below)
        return observed(Item::colour_above, seen);
    return true;
}

// The observation set with a size or count item observed as v.
ObservationSet with_value(ObservationSet seen, Item item, std::int16_t v)
{
    switch (item) {
    case Item::berry_size: seen.berry_size = v; break;
    case Item::leaflet_pairs: seen.leaf_size[0] = v; break;
    case Item::leaf_length: seen.leaf_size[1] = v; break;
    default: seen.bud_length = v; break;
    }
    return seen;
}

bool colour_suggestion(const ItemIndex& index, std::span<const std::int16_t> judged, Suggestion& s)
{
    const QStringList& texts = index.colour_texts(s.item);
    const std::vector<std::int16_t>& colour = index.colours(s.item);
    std::vector<int> recording(static_cast<std::size_t>(texts.size()), 0);
    int unrecorded = 0;
    for (const std::int16_t i : judged) {
        const int id = colour[static_cast<std::size_t>(i)];
        if (id < 0)
            ++unrecorded;
        else
            ++recording[static_cast<std::size_t>(id)];
    }
    double weighted = 0;
    double weight = 0;
    for (std::size_t id = 0; id < recording.size(); ++id) {
        if (recording[id] == 0)
            continue;
        const int kept = recording[id] + unrecorded;
        s.groups.push_back({texts[static_cast<qsizetype>(id)], 0, 0, kept});
        weighted += static_cast<double>(recording[id]) * kept;
        weight += recording[id];
    }
    if (s.groups.size() < 2)
        return false;  // one colour or none: every value keeps every species
    s.expected_left = weighted / weight;
    std::sort(s.groups.begin(), s.groups.end(), [](const ValueGroup& a, const ValueGroup& b) {
        return a.kept != b.kept ? a.kept < b.kept : a.value < b.value;
    });
    return true;
}

// Sizes and counts: whole-number observations from 1 to 32767. Each
// species' accepted range covers a run of them; the number kept at each
// observation is a running sum over where the runs start and end.
bool whole_number_suggestion(const ItemIndex& index, std::span<const std::int16_t> judged, const Factors& f,
                             Suggestion& s)
{
    int unrecorded = 0;
    int recorded = 0;
    std::vector<std::pair<std::int16_t, std::int16_t>> runs;
    runs.reserve(judged.size());
    for (const std::int16_t i : judged) {
        const std::optional<Bounds> b = index.accepted(s.item, i, f);
        if (!b) {
            ++unrecorded;
            continue;
        }
        ++recorded;
        // The whole numbers from the lower bound up to the upper, within 1..32767.
        const double lower = std::clamp(b->lower, 0.0, largest_observation + 1);
        const double upper = std::clamp(b->upper, 0.0, largest_observation);
        const int lo = std::max(static_cast<int>(lower) + (static_cast<int>(lower) < lower), 1);
        const int hi = static_cast<int>(upper);
        if (lo <= hi)
            runs.emplace_back(static_cast<std::int16_t>(lo), static_cast<std::int16_t>(hi));
    }
    if (runs.empty())
        return false;
    int top = 0;
    for (const auto& run : runs)
        top = std::max<int>(top, run.second);
    std::vector<int> change(static_cast<std::size_t>(top) + 2, 0);
    std::vector<char> edge(static_cast<std::size_t>(top) + 2, 0);
    for (const auto& [lo, hi] : runs) {
        ++change[static_cast<std::size_t>(lo)];
        --change[static_cast<std::size_t>(hi) + 1];
        edge[static_cast<std::size_t>(lo)] = edge[static_cast<std::size_t>(hi) + 1] = 1;
    }
    // kept_sum[x]: the species kept, summed over the observations 1..x.
    std::vector<double> kept_sum(static_cast<std::size_t>(top) + 1, 0.0);
    bool separates = false;
    int cover = 0;
    for (int x = 1; x <= top; ++x) {
        cover += change[static_cast<std::size_t>(x)];
        const int kept = cover > 0 ? unrecorded + cover : 0;
        kept_sum[static_cast<std::size_t>(x)] = kept_sum[static_cast<std::size_t>(x) - 1] + kept;
        if (cover > 0 && cover < recorded)
            separates = true;
        if (cover > 0 && edge[static_cast<std::size_t>(x)])
            s.groups.push_back({QString(), static_cast<double>(x), static_cast<double>(x), kept});
        else if (cover > 0)
            s.groups.back().greatest = x;
    }
    if (!separates)
        return false;
    // Each run's mean, divided through once per length rather than once per species.
    std::vector<double> per_length(static_cast<std::size_t>(top) + 1, 0.0);
    for (const auto& [lo, hi] : runs)
        per_length[static_cast<std::size_t>(hi - lo + 1)] +=
            kept_sum[static_cast<std::size_t>(hi)] - kept_sum[static_cast<std::size_t>(lo) - 1];
    double total = 0;
    for (std::size_t length = 1; length < per_length.size(); ++length)
        total += per_length[length] / static_cast<double>(length);
    s.expected_left = total / static_cast<double>(runs.size());
    return true;
}

// The leaflet shape: any ratio in a species' band, the bands' ends cutting
// the ratios into pieces that keep the same species. Both ends of a band
// grow with the species' mean ratio, so the bands in the index's order of
// their lower ends have their upper ends in order too, and the ends merge
// in one pass.
bool leaflet_suggestion(const ItemIndex& index, std::span<const std::int16_t> judged, Suggestion& s)
{
    std::vector<char> is_judged(static_cast<std::size_t>(index.species_count()) + 1, 0);
    for (const std::int16_t i : judged)
        is_judged[static_cast<std::size_t>(i)] = 1;
    int recorded = 0;
    // Equal bands once, with how many species share them.
    std::vector<std::pair<Bounds, int>> distinct;
    for (const std::int16_t i : index.by_band()) {
        if (!is_judged[static_cast<std::size_t>(i)])
            continue;
        ++recorded;
        const Bounds b = *index.accepted(s.item, i, Factors{});
        if (!(b.lower < b.upper))
            continue;  // a ratio of 0 or below: no ratio falls in it
        if (distinct.empty() || distinct.back().first.lower != b.lower)
            distinct.push_back({b, 0});
        ++distinct.back().second;
    }
    const int unrecorded = static_cast<int>(judged.size()) - recorded;
    if (distinct.empty())
        return false;
    int banded = 0;
    for (const auto& d : distinct)
        banded += d.second;
    std::vector<double> ends;
    ends.reserve(2 * distinct.size());
    s.groups.reserve(2 * distinct.size());
    std::vector<std::uint32_t> lower_at(distinct.size()), upper_at(distinct.size());
    const auto add = [&](double v) {
        if (ends.empty() || ends.back() != v)
            ends.push_back(v);
        return static_cast<std::uint32_t>(ends.size() - 1);
    };
    for (std::size_t lo = 0, hi = 0; hi < distinct.size();) {
        if (lo < distinct.size() && distinct[lo].first.lower <= distinct[hi].first.upper) {
            lower_at[lo] = add(distinct[lo].first.lower);
            ++lo;
        } else {
            upper_at[hi] = add(distinct[hi].first.upper);
            ++hi;
        }
    }
    std::vector<int> change(ends.size() + 1, 0);
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        change[lower_at[k]] += distinct[k].second;
        change[upper_at[k]] -= distinct[k].second;
    }
    // area[k]: the species kept, integrated over the ratios up to ends[k].
    std::vector<double> area(ends.size(), 0.0);
    bool separates = false;
    int cover = 0;
    for (std::size_t k = 0; k + 1 < ends.size(); ++k) {
        cover += change[k];
        const int kept = cover > 0 ? unrecorded + cover : 0;
        area[k + 1] = area[k] + kept * (ends[k + 1] - ends[k]);
        if (cover > 0) {
            s.groups.push_back({QString(), ends[k], ends[k + 1], kept});
            separates = separates || cover < recorded;
        }
    }
    if (!separates)
        return false;
    double total = 0;
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        const Bounds& b = distinct[k].first;
        total += distinct[k].second * (area[upper_at[k]] - area[lower_at[k]]) / (b.upper - b.lower);
    }
    s.expected_left = total / banded;
    return true;
}

}  // namespace

std::vector<Suggestion> suggest(const ItemIndex& index, const ObservationSet& seen, const Factors& factors,
                                std::span<const std::int16_t> listed, int shown)
{
    const SpeciesTable& table = index.table();
    std::vector<Suggestion> out;
    std::vector<std::int16_t> judged[3];
    bool judged_ready[3] = {false, false, false};
    for (int k = 0; k < item_count; ++k) {
        const auto item = static_cast<Item>(k);
        if (!could_observe(item, seen))
            continue;
        const int t = item_step(item);
        if (!judged_ready[t]) {
            judged[t] = judged_species(table, seen, factors, listed, shown, t);
            judged_ready[t] = true;
        }
        Suggestion s;
        s.item = item;
        s.judged = static_cast<int>(judged[t].size());
        const bool offered = item == Item::leaflet_shape ? leaflet_suggestion(index, judged[t], s)
                           : is_range_item(item)       ? whole_number_suggestion(index, judged[t], factors, s)
                                                       : colour_suggestion(index, judged[t], s);
        if (offered)
            out.push_back(std::move(s));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Suggestion& a, const Suggestion& b) { return a.expected_left < b.expected_left; });
    return out;
}

std::vector<std::int16_t> kept_by(const ItemIndex& index, const ObservationSet& seen, const Factors& factors,
                                  std::span<const std::int16_t> listed, int shown, Item item,
                                  const ValueGroup& group)
{
    const SpeciesTable& table = index.table();
    std::vector<std::int16_t> kept;
    const double ratio = (group.least + group.greatest) / 2;
    const ObservationSet at = is_range_item(item) && item != Item::leaflet_shape
                                ? with_value(seen, item, static_cast<std::int16_t>(group.least))
                                : seen;
    for (const std::int16_t i : judged_species(table, seen, factors, listed, shown, item_step(item))) {
        bool keep = true;
        if (item == Item::leaflet_shape) {
            const std::optional<Bounds> b = index.accepted(item, i, factors);
            keep = !b || (!(ratio < b->lower) && !(ratio > b->upper));
        } else if (is_range_item(item)) {
            keep = !item_fails(table, i, item, at, factors);
        } else {
            const int id = index.colours(item)[static_cast<std::size_t>(i)];
            keep = id < 0 || index.colour_texts(item)[id] == group.value;
        }
        if (keep)
            kept.push_back(i);
    }
    return kept;
}

QString group_values(Item item, const ValueGroup& g)
{
    if (!is_range_item(item))
        return g.value;
    if (item == Item::leaflet_shape)
        return QStringLiteral("ratio %1 to %2")
            .arg(QString::number(g.least, 'g', 4), QString::number(g.greatest, 'g', 4));
    const QString unit = item == Item::leaflet_pairs ? QString() : QStringLiteral(" mm");
    if (g.least == g.greatest)
        return QString::number(g.least) + unit;
    return QStringLiteral("%1 to %2").arg(g.least).arg(g.greatest) + unit;
}

}  // namespace qid
