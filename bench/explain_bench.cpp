// The explanations of one identification at 32,767 species (every species'
// state and reasons, the nearest species, the ranking of what to look at
// next) against the cascade alone; the data check against comparing every
// pair of species item by item.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>

#include <time.h>

#include <benchmark/benchmark.h>

#include "identify/cascade.h"
#include "identify/data_check.h"
#include "identify/explain.h"
#include "identify/match_rows.h"
#include "identify/suggest.h"
#include "datagen.h"

namespace {

using namespace qid;
// The thread's processor time: on a shared machine, what the work itself costs.
struct clock_type {
    using duration = std::chrono::nanoseconds;
    static std::chrono::time_point<clock_type, duration> now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::time_point<clock_type, duration>(duration(t.tv_sec * 1000000000LL + t.tv_nsec));
    }
};

const QString shipped = QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");

const SpeciesData& species_file(int species)
{
    static std::map<int, SpeciesData> files;
    auto found = files.find(species);
    if (found == files.end()) {
        const QByteArray bytes = species == 49 ? QByteArray()
                                               : tools::make_species_file(tools::lists_of(shipped), species, 12);
        DataFileResult r = species == 49 ? read_data_file(shipped) : read_data_bytes(bytes);
        found = files.emplace(species, r.data ? std::move(*r.data) : SpeciesData{}).first;
    }
    return found->second;
}

// The file with a berry size recorded for every species (1 to 2 mm where it had none).
const SpeciesData& every_berry_sized()
{
    static const SpeciesData d = [] {
        SpeciesData copy = species_file(32767);
        for (int i = 1; i <= copy.species_count; ++i)
            if (copy.fruit.at(i, 2).number() == 0 || copy.fruit.at(i, 3).number() == 0) {
                copy.fruit.at(i, 2) = Cell::of_number(1);
                copy.fruit.at(i, 3) = Cell::of_number(2);
            }
        copy.match_rows = std::make_shared<const MatchRows>(copy);  // the cascade's rows of the changed cells
        return copy;
    }();
    return d;
}

// 0: nothing entered, the FRUIT step shown (every species listed and ranked);
// 1: a red-berried tree with leaf and bud data, the last step shown;
// 2: berries of 500 mm, which no species has, so the FRUIT step keeps none
//    and all 32,767 are ranked by nearness.
ObservationSet tree(int kind)
{
    ObservationSet seen;
    if (kind == 1) {
        seen.fruit_colour = {QStringLiteral("RED"), QStringLiteral("UNCHANGED")};
        seen.berry_size = 9;
        seen.leaf_colour = {QStringLiteral("DARK GREEN"), QStringLiteral("AS ABOVE")};
        seen.leaf_size = {6, 180, 0, 0};
        seen.bud_length = 10;
    } else if (kind == 2) {
        seen.berry_size = 500;
    }
    return seen;
}

void ExplainOneTree(benchmark::State& state)
{
    const SpeciesData& d = state.range(0) == 2 ? every_berry_sized() : species_file(32767);
    const ItemIndex index(d);  // made once with the table
    const ObservationSet seen = tree(static_cast<int>(state.range(0)));
    const Factors factors;
    const int shown = state.range(0) == 1 ? 2 : 0;
    clock_type::duration ours{}, cascade{};
    std::size_t listed = 0, offered = 0;
    for (auto _ : state) {
        const auto a = clock_type::now();
        const Explanation e = explain(d, seen, factors, shown);
        const std::vector<std::int16_t> kept = kept_species(e);
        const std::vector<Suggestion> ranked = suggest(index, seen, factors, kept, e.step);
        listed = kept.size() + e.nearest.size();
        const auto b = clock_type::now();
        const CascadeResult plain = run_cascade(d, seen, factors);
        const auto c = clock_type::now();
        ours += b - a;
        cascade += c - b;
        offered = ranked.size();
        if ((plain.stopped >= 0) != e.none_kept)
            state.SkipWithError("the explanation and the cascade disagree");
        benchmark::DoNotOptimize(ranked);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ms"] = std::chrono::duration<double, std::milli>(ours).count() / n;
    state.counters["cascade_ms"] = std::chrono::duration<double, std::milli>(cascade).count() / n;
    state.counters["ratio"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(cascade);
    state.counters["listed_or_nearest"] = static_cast<double>(listed);
    state.counters["items_offered"] = static_cast<double>(offered);
}
BENCHMARK(ExplainOneTree)->ArgName("tree")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// What one would write without pruning: every pair, item by item.
std::int64_t blind_pairs(const SpeciesData& d, const std::vector<char>& compared)
{
    const Factors grown;
    const auto agree = [&](int i, int j) {
        for (int k = 0; k < item_count; ++k) {
            const auto item = static_cast<Item>(k);
            if (item == Item::berry_shape) {
                if (d.fruit.at(i, 4).number() != d.fruit.at(j, 4).number())
                    return false;
            } else if (is_range_item(item)) {
                const auto a = accepted(d, i, item, grown);
                const auto b = accepted(d, j, item, grown);
                if (a && b && item == Item::leaflet_shape
                    && std::max(a->lower, b->lower) > std::min(a->upper, b->upper))
                    return false;
                if (a && b && item != Item::leaflet_shape
                    && std::max({std::ceil(a->lower), std::ceil(b->lower), 1.0})
                           > std::min({std::floor(a->upper), std::floor(b->upper), 32767.0}))
                    return false;
            } else {
                const auto a = recorded_colour(d, i, item);
                const auto b = recorded_colour(d, j, item);
                if (a && b && a->text() != b->text())
                    return false;
            }
        }
        return true;
    };
    std::int64_t pairs = 0;
    for (int i = 1; i <= d.species_count; ++i)
        for (int j = i + 1; j <= d.species_count; ++j)
            pairs += compared[static_cast<std::size_t>(i)] && compared[static_cast<std::size_t>(j)] && agree(i, j);
    return pairs;
}

// The data check in seconds; up to 4,000 species also the blind comparison of every pair.
void DataCheckFile(benchmark::State& state)
{
    const int species = static_cast<int>(state.range(0));
    const SpeciesData& d = species_file(species);
    if (d.species_count != species)
        return state.SkipWithError("the species file was not made");
    clock_type::duration ours{}, blind{};
    DataCheck check;
    for (auto _ : state) {
        const auto a = clock_type::now();
        check = check_data(d);
        const auto b = clock_type::now();
        ours += b - a;
        if (species <= 4000) {
            std::vector<char> compared(static_cast<std::size_t>(species) + 1, 1);
            for (const DataFinding& f : check.findings)
                if (f.kind == DataFinding::Kind::nothing_recorded)
                    compared[static_cast<std::size_t>(f.species)] = 0;
            const std::int64_t pairs = blind_pairs(d, compared);
            blind += clock_type::now() - b;
            if (pairs != check.pairs)
                state.SkipWithError("the blind comparison finds other pairs");
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["s"] = std::chrono::duration<double>(ours).count() / n;
    state.counters["pairs"] = static_cast<double>(check.pairs);
    state.counters["records"] = check.records;
    if (species <= 4000) {
        state.counters["blind_s"] = std::chrono::duration<double>(blind).count() / n;
        state.counters["ratio"] = std::chrono::duration<double>(ours) / std::chrono::duration<double>(blind);
    }
}
BENCHMARK(DataCheckFile)
    ->ArgName("species")
    ->Arg(49)
    ->Arg(4000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
