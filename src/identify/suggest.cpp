#include "identify/suggest.h"

#include <algorithm>
#include <cmath>

#include <QHash>

#include "identify/matching.h"

namespace qid {

namespace {

using NoData = bool (*)(const ObservationSet&);
constexpr NoData no_data[3] = {no_fruit_data, no_leaf_data, no_bud_data};
constexpr int first_item[4] = {0, 4, 9, item_count};
constexpr double largest_observation = 32767;

bool passes(const SpeciesTable& table, int i, int step, const ObservationSet& seen, const Factors& factors)
{
    for (int k = first_item[step]; k < first_item[step + 1]; ++k)
        if (item_fails(table, i, static_cast<Item>(k), seen, factors))
            return false;
    return true;
}

// The listed species an observation of an item of step t is compared with:
// those the steps after `shown` up to t would keep, step t comparing every
// observation once this one is made.
std::vector<std::int16_t> judged_species(const SpeciesTable& table, const ObservationSet& seen, const Factors& f,
                                         std::span<const std::int16_t> listed, int shown, int t)
{
    std::vector<std::int16_t> out;
    out.reserve(listed.size());
    for (const std::int16_t i : listed) {
        bool keep = passes(table, i, t, seen, f);
        for (int u = std::max(shown + 1, 0); keep && u < t; ++u)
            keep = no_data[u](seen) || passes(table, i, u, seen, f);
        if (keep)
            out.push_back(i);
    }
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

// Counts the recorded colours. Species naming the same colour usually share
// one text, so most are counted by the text's address without comparing it.
class ColourTally {
public:
    void add(const QString& text)
    {
        const QChar* id = text.constData();
        for (const auto& [seen_id, group] : recent_)
            if (seen_id == id) {
                ++groups_[static_cast<std::size_t>(group)].kept;
                return;
            }
        auto found = index_.find(text);
        if (found == index_.end()) {
            found = index_.insert(text, static_cast<int>(groups_.size()));
            groups_.push_back({text, 0, 0, 0});
        }
        if (recent_.size() < 64)
            recent_.emplace_back(id, *found);
        ++groups_[static_cast<std::size_t>(*found)].kept;
    }
    std::vector<ValueGroup>& groups() { return groups_; }

private:
    std::vector<std::pair<const QChar*, int>> recent_;
    QHash<QString, int> index_;
    std::vector<ValueGroup> groups_;  // kept counts the species recording the colour until finished
};

bool colour_suggestion(const SpeciesTable& table, std::span<const std::int16_t> judged, Suggestion& s)
{
    ColourTally tally;
    int unrecorded = 0;
    for (const std::int16_t i : judged) {
        const std::optional<QString> c = recorded_colour(table, i, s.item);
        if (c)
            tally.add(*c);
        else
            ++unrecorded;
    }
    std::vector<ValueGroup>& groups = tally.groups();
    if (groups.size() < 2)
        return false;  // one colour or none: every value keeps every species
    double weighted = 0;
    double weight = 0;
    for (ValueGroup& g : groups) {
        const int recording = g.kept;
        g.kept = recording + unrecorded;
        weighted += static_cast<double>(recording) * g.kept;
        weight += recording;
    }
    s.expected_left = weighted / weight;
    std::sort(groups.begin(), groups.end(), [](const ValueGroup& a, const ValueGroup& b) {
        return a.kept != b.kept ? a.kept < b.kept : a.value < b.value;
    });
    s.groups = std::move(groups);
    return true;
}

// Sizes and counts: whole-number observations from 1 to 32767. Each
// species' accepted range covers a run of them; the number kept at each
// observation is a running sum over where the runs start and end.
bool whole_number_suggestion(const SpeciesTable& table, std::span<const std::int16_t> judged, const Factors& f,
                             Suggestion& s)
{
    int unrecorded = 0;
    int recorded = 0;
    std::vector<std::pair<int, int>> runs;
    for (const std::int16_t i : judged) {
        const std::optional<Bounds> b = accepted(table, i, s.item, f);
        if (!b) {
            ++unrecorded;
            continue;
        }
        ++recorded;
        const double lo = std::max(std::ceil(b->lower), 1.0);
        const double hi = std::min(std::floor(b->upper), largest_observation);
        if (lo <= hi)
            runs.emplace_back(static_cast<int>(lo), static_cast<int>(hi));
    }
    if (runs.empty())
        return false;
    int top = 0;
    for (const auto& run : runs)
        top = std::max(top, run.second);
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
    double total = 0;
    for (const auto& [lo, hi] : runs)
        total += (kept_sum[static_cast<std::size_t>(hi)] - kept_sum[static_cast<std::size_t>(lo) - 1]) / (hi - lo + 1);
    s.expected_left = total / static_cast<double>(runs.size());
    return true;
}

// The leaflet shape: any ratio in a species' band, the bands' ends cutting
// the ratios into pieces that keep the same species.
bool leaflet_suggestion(const SpeciesTable& table, std::span<const std::int16_t> judged, Suggestion& s)
{
    int unrecorded = 0;
    int recorded = 0;
    std::vector<Bounds> bands;
    for (const std::int16_t i : judged) {
        const std::optional<Bounds> b = accepted(table, i, s.item, Factors{});
        if (!b) {
            ++unrecorded;
            continue;
        }
        ++recorded;
        if (b->lower < b->upper)
            bands.push_back(*b);
    }
    if (bands.empty())
        return false;
    std::vector<double> ends;
    ends.reserve(2 * bands.size());
    for (const Bounds& b : bands) {
        ends.push_back(b.lower);
        ends.push_back(b.upper);
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    const auto at = [&](double v) {
        return static_cast<std::size_t>(std::lower_bound(ends.begin(), ends.end(), v) - ends.begin());
    };
    std::vector<int> change(ends.size() + 1, 0);
    for (const Bounds& b : bands) {
        ++change[at(b.lower)];
        --change[at(b.upper)];
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
    for (const Bounds& b : bands)
        total += (area[at(b.upper)] - area[at(b.lower)]) / (b.upper - b.lower);
    s.expected_left = total / static_cast<double>(bands.size());
    return true;
}

}  // namespace

std::vector<Suggestion> suggest(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                                std::span<const std::int16_t> listed, int shown)
{
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
        const bool offered = item == Item::leaflet_shape ? leaflet_suggestion(table, judged[t], s)
                           : is_range_item(item)       ? whole_number_suggestion(table, judged[t], factors, s)
                                                       : colour_suggestion(table, judged[t], s);
        if (offered)
            out.push_back(std::move(s));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Suggestion& a, const Suggestion& b) { return a.expected_left < b.expected_left; });
    return out;
}

std::vector<std::int16_t> kept_by(const SpeciesTable& table, const ObservationSet& seen, const Factors& factors,
                                  std::span<const std::int16_t> listed, int shown, Item item,
                                  const ValueGroup& group)
{
    std::vector<std::int16_t> kept;
    const double ratio = (group.least + group.greatest) / 2;
    const ObservationSet at = is_range_item(item) && item != Item::leaflet_shape
                                ? with_value(seen, item, static_cast<std::int16_t>(group.least))
                                : seen;
    for (const std::int16_t i : judged_species(table, seen, factors, listed, shown, item_step(item))) {
        bool keep = true;
        if (item == Item::leaflet_shape) {
            const std::optional<Bounds> b = accepted(table, i, item, factors);
            keep = !b || (!(ratio < b->lower) && !(ratio > b->upper));
        } else if (is_range_item(item)) {
            keep = !item_fails(table, i, item, at, factors);
        } else {
            const std::optional<QString> c = recorded_colour(table, i, item);
            keep = !c || *c == group.value;
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
