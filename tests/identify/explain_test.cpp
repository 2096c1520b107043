// Why species were rejected, the nearest, what to look at next, the data check; reasons against the cascade.
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "identify/cascade.h"
#include "identify/data_check.h"
#include "identify/explain.h"
#include "identify/matching.h"
#include "identify/suggest.h"
#include "datagen.h"

namespace qid {
namespace {

const QString shipped = QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");

SpeciesData read(const QByteArray& bytes)
{
    DataFileResult r = read_data_bytes(bytes);
    EXPECT_TRUE(r.data.has_value()) << r.error.problem.toStdString();
    return r.data ? *r.data : SpeciesData{};
}

// Four species: bud, leaf and fruit columns.
const QByteArray four = R"(3,"RED","ORANGE","BLACK"
3,"UNCHANGED","RED","CRIMSON"
2,"DARK GREEN","MID GREEN"
2,"AS ABOVE","GREY-GREEN"
2,"BROWN","GREEN"
2,"HAIRLESS","HAIRY"
2,"NO","YES"
4,3,9,4
"alba","BROWN","HAIRLESS","YES",10,"DARK GREEN","AS ABOVE",5,7,150,210,30,60,15,25,"RED","UNCHANGED",10,10,#TRUE#
"bella","BROWN","HAIRY","NO",10,"DARK GREEN","GREY-GREEN",5,7,150,210,0,0,0,0,"RED","CRIMSON",8,12,#TRUE#
"cana","GREEN","HAIRY","NO",20,"MID GREEN","AS ABOVE",8,9,250,300,18,20,9,10,"ORANGE","RED",12,16,#FALSE#
"dura","","","",0,"","",0,0,0,0,0,0,0,0,"RED","",9,11,#TRUE#
)";

TEST(Explain, ReasonsNameTheBoundActuallyUsed)
{
    const SpeciesData d = read(four);
    const struct { int species, step; void (*see)(ObservationSet&); float young, ext; const char* says; } cases[] = {
        {1, 0, [](ObservationSet& o) { o.berry_size = 7; }, 0.8f, 0,
         "berry size: observed 7 mm, recorded 10 to 10 mm, accepted 8 to 10 mm (young tree)"},
        {1, 0, [](ObservationSet& o) { o.berry_size = 13; }, 0.8f, 0.2f,
         "berry size: observed 13 mm, recorded 10 to 10 mm, accepted 6.4 to 12 mm (young tree, extended)"},
        {2, 1, [](ObservationSet& o) { o.leaf_size[0] = 9; }, 1, 0.2f,
         "leaflet pairs: observed 9, recorded 5 to 7, accepted 4 to 8.4 (extended)"},
        {1, 1, [](ObservationSet& o) { o.leaf_size = {0, 0, 40, 25}; }, 0.8f, 0.2f,
         "leaflet shape: observed 40 x 25 mm (ratio 1.6), recorded 30 x 15 to 60 x 25 mm (mean ratio 2.2), "
         "accepted ratio 1.98 to 2.42"},
        {1, 2, [](ObservationSet& o) { o.bud_length = 12; }, 1, 0,
         "bud length: observed 12 mm, recorded typical 10 mm, accepted 8 to 11 mm"},
        {2, 0, [](ObservationSet& o) { o.fruit_colour = {"RED", "UNCHANGED"}; }, 1, 0,
         "final colour: observed UNCHANGED, recorded CRIMSON"},
        {2, 1, [](ObservationSet& o) { o.leaf_colour = {"DARK GREEN", "AS ABOVE"}; }, 1, 0,
         "colour below: observed AS ABOVE, recorded GREY-GREEN"},
        {3, 0, [](ObservationSet&) {}, 1, 0, "berry shape: observed Spherical, recorded Ellipsoidal"},
    };
    for (const auto& c : cases) {
        ObservationSet seen;
        c.see(seen);
        const Factors f{c.young, c.ext};
        const std::vector<Reason> why = reasons(d, c.species, c.step, seen, f);
        ASSERT_EQ(why.size(), 1u) << c.says;
        EXPECT_EQ(describe(why[0], d, c.species, seen, f).sentence(), c.says);
    }
}

// The reasons decide exactly what the matching tests decide, the cascade keeps at each step
// exactly what they keep, and so does explain(), over every species and many trees observed
// near their recorded bounds, now and then in a colour no species records.
TEST(Explain, ReasonsAgreeWithTheCascadeOverWholeFiles)
{
    std::mt19937 random(19);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const SpeciesData files[] = {read(tools::make_species_file(tools::lists_of(shipped), 600, 7)),
                                 *read_data_file(shipped).data};
    int disagreements = 0;
    for (const SpeciesData& d : files) {
        for (int trial = 0; trial < 300; ++trial) {
            const Factors f{pick(2) ? 0.8f : 1.0f, pick(2) ? 0.2f : 0.0f};
            const int model = 1 + pick(d.species_count);  // the tree resembles this species
            ObservationSet seen;
            seen.spherical = pick(3) != 0;
            const auto colour = [&](QString& out, const Cell& recorded, int list) {
                if (pick(2))
                    out = pick(4)   ? recorded.text()
                          : pick(4) ? d.lists[list].value(pick(int(d.lists[list].size())))
                                    : "X";  // recorded by no species
            };
            colour(seen.fruit_colour[0], d.fruit.at(model, 0), 0);
            colour(seen.fruit_colour[1], d.fruit.at(model, 1), 1);
            colour(seen.leaf_colour[0], d.leaf.at(model, 0), 2);
            colour(seen.leaf_colour[1], d.leaf.at(model, 1), 3);
            for (int k = 0; k < 3; ++k)
                colour(seen.bud_prop[k], d.bud.at(model, k), 4 + k);
            // Sizes at, just inside or just outside a bound the tests form.
            const auto size = [&](Item item) -> std::int16_t {
                const std::optional<Bounds> b = accepted(d, model, item, f);
                const double edge = !b ? 1 + pick(40) : pick(2) ? std::ceil(b->lower) : std::floor(b->upper);
                return pick(3) ? static_cast<std::int16_t>(edge + pick(3) - 1) : 0;
            };
            seen.berry_size = size(Item::berry_size);
            seen.leaf_size = {size(Item::leaflet_pairs), size(Item::leaf_length), std::int16_t(pick(4) * pick(60)),
                              std::int16_t(pick(4) * pick(30))};
            seen.bud_length = size(Item::bud_length);
            const CascadeResult cascade = run_cascade(d, seen, f);
            std::vector<std::int16_t> kept(static_cast<std::size_t>(d.species_count));  // step by step
            std::iota(kept.begin(), kept.end(), 1);
            for (int s = 0; s < 3; ++s) {
                std::vector<bool> match(static_cast<std::size_t>(d.species_count) + 1);
                for (int i = 1; i <= d.species_count; ++i) {
                    match[std::size_t(i)] = s == 0 ? fruit_match(d, i, seen, f) : s == 1 ? leaf_match(d, i, seen, f)
                                                                                          : bud_match(d, i, seen, f);
                    disagreements += reasons(d, i, s, seen, f).empty() != match[std::size_t(i)];
                }
                if (s > cascade.stage)
                    continue;
                if (!(s == 0 ? no_fruit_data(seen) : s == 1 ? no_leaf_data(seen) : no_bud_data(seen)))
                    std::erase_if(kept, [&](std::int16_t i) { return !match[std::size_t(i)]; });
                const std::vector<std::int16_t>& row = cascade.selected[std::size_t(s)];
                EXPECT_EQ(std::vector(row.begin() + 1, row.begin() + 1 + row[0]), kept) << trial << " step " << s;
            }
            const Explanation e = explain(d, seen, f, 2);
            ASSERT_EQ(std::pair(e.step, e.none_kept), (std::pair<int, bool>(cascade.stage, cascade.stopped >= 0)));
            ASSERT_EQ(kept_species(e), kept) << "trial " << trial;
        }
    }
    EXPECT_EQ(disagreements, 0);
}

// Red, spherical berries of 13 mm: every species fails the fruit step.
TEST(Explain, NearestSpeciesFailFewestItemsThenLieLeastOutside)
{
    const SpeciesData d = read(four);
    ObservationSet seen;
    seen.fruit_colour = {"RED", "UNCHANGED"};
    seen.berry_size = 13;
    const Explanation e = explain(d, seen, Factors{}, 2);
    ASSERT_EQ(std::pair(e.step, e.none_kept), std::pair(0, true));
    std::vector<std::tuple<int, int, double, bool>> nearest;
    for (const Nearest& n : e.nearest)
        nearest.emplace_back(n.species, n.failed, n.distance, n.extend_keeps);
    // dura 2 above 9..11; alba 3 above 10..10; bella CRIMSON and 1 above 8..12; cana colours and shape.
    EXPECT_EQ(nearest, (std::vector<std::tuple<int, int, double, bool>>{
                           {4, 1, 1.0, true}, {1, 1, 3.0, false}, {2, 2, 1.25, false}, {3, 3, 3.0, false}}));
    EXPECT_EQ(std::tuple(e.nearest_count(), e.rejected_at[3], e.reasons_of(3).size()), std::tuple(2u, 0, 3u));
}

// Nothing observed, the FRUIT step shown: every species listed.
TEST(Explain, WhatToLookAtNextRanksByTheSpeciesExpectedToBeLeft)
{
    const SpeciesData d = read(four);
    const ObservationSet seen;
    const std::vector<std::int16_t> listed{1, 2, 3, 4};
    const ItemIndex index(d);
    const std::vector<Suggestion> ranked = suggest(index, seen, Factors{}, listed, 0);
    std::vector<std::pair<QString, int>> order;
    for (const Suggestion& s : ranked)
        order.emplace_back(item_name(s.item), s.judged);
    // The berry size is judged on the three spherical species only; one initial colour
    // recorded, and the second colours without the first, are not offered.
    EXPECT_EQ(order, (std::vector<std::pair<QString, int>>{
                         {"berry size", 3}, {"colour above", 4}, {"leaflet pairs", 4}, {"leaf length", 4},
                         {"bud colour", 4}, {"bud hairs", 4}, {"sticky", 4}, {"bud length", 4}, {"leaflet shape", 4}}));
    ASSERT_EQ(ranked.size(), 9u);
    EXPECT_NEAR(ranked[0].expected_left, (3 + 1.8 + 7.0 / 3) / 3, 1e-9);
    EXPECT_NEAR(ranked[1].expected_left, 8.0 / 3, 1e-9);
    EXPECT_NEAR(ranked[8].expected_left, (3.5 + 3.55) / 2, 1e-6);
    QStringList groups;
    for (const ValueGroup& g : ranked[0].groups)
        groups << group_values(ranked[0].item, g) + QStringLiteral(": %1").arg(g.kept);
    EXPECT_EQ(groups, QStringList({"8 mm: 1", "9 mm: 2", "10 mm: 3", "11 mm: 2", "12 mm: 1"}));
    groups.clear();
    for (const ValueGroup& g : ranked[2].groups)
        groups << group_values(ranked[2].item, g) + QStringLiteral(": %1").arg(g.kept);
    EXPECT_EQ(groups, QStringList({"5 to 7: 3", "8 to 9: 2"}));  // dura records none and stays in both
    EXPECT_EQ(kept_by(index, seen, Factors{}, listed, 0, Item::berry_size, ranked[0].groups[1]),
              (std::vector<std::int16_t>{2, 4}));
    EXPECT_EQ(kept_by(index, seen, Factors{}, listed, 0, Item::colour_above, ranked[1].groups[0]),
              (std::vector<std::int16_t>{3, 4}));
}

TEST(DataCheck, FindsEachFaultWithItsLineAndNoPairForSpeciesThatDifferInOneItem)
{
    const QByteArray alba = R"("BROWN","HAIRY","YES",10,"DARK GREEN","AS ABOVE",5,7,150,210,30,60,15,25,)";
    const SpeciesData d = read("2,\"RED\",\"ORANGE\"\n2,\"UNCHANGED\",\"RED\"\n1,\"DARK GREEN\"\n1,\"AS ABOVE\"\n"
                               "1,\"BROWN\"\n1,\"HAIRY\"\n1,\"YES\"\n9,3,9,4\n"
                               "\"alba\"," + alba + "\"RED\",\"UNCHANGED\",8,12,#TRUE#\n"
                               "\"range\"," + alba + "\"RED\",\"UNCHANGED\",13,16,#TRUE#\n"
                               "\"colour\"," + alba + "\"ORANGE\",\"UNCHANGED\",8,12,#TRUE#\n"
                               "\"hairs\"," + QByteArray(alba).replace("HAIRY", "")
                               + "\"RED\",\"UNCHANGED\",8,12,#TRUE#\n"
                               "\"Alba\"," + alba + "\"Red\",\"UNCHANGED\",8,12,#FALSE#\n"
                               "\"vacua\",\"\",\"\",\"\",0,\"\",\"\",0,0,0,0,0,0,0,0,\"\",\"\",0,0,#TRUE#\n"
                               "\"inversa\",\"BRWON\",\"HAIRY\",\"YES\",10,\"DARK GREEN\",\"AS ABOVE\",5,7,-5,210,"
                               "30,60,15,25,\"RED\",\"UNCHANGED\",12,8,#FALSE#\n"
                               "\" \"," + alba + "\"RED\",\"UNCHANGED\",30,40,#FALSE#\n"
                               "\"alba\"," + alba + "\"RED\",\"UNCHANGED\",50,60,#FALSE#\n");
    const DataCheck check = check_data(d);
    QStringList found;
    for (const DataFinding& f : check.findings)
        found << kind_name(f.kind) + QLatin1Char(' ') + describe(f, d);
    EXPECT_EQ(found.join('\n').toStdString(), QStringList({
        "duplicate_name line 13: Quenla Alba: the name is given twice, but for capitals or blanks (first on line 9)",
        "colour_not_in_list line 13: Quenla Alba: the initial berry colour \"Red\" is not an entry of the list "
        "INITIAL COLOUR: its capitals differ from \"RED\"",
        "nothing_recorded line 14: Quenla vacua: nothing is recorded but the berry shape: every observation but the "
        "shape keeps it, so it is not compared with the other species",
        "colour_not_in_list line 15: Quenla inversa: the bud colour \"BRWON\" is not an entry of the list BUD COLOUR: "
        "misspelt \"BROWN\"?",
        "least_above_greatest line 15: Quenla inversa: the least berry size, 12, is above the greatest, 8",
        "below_zero line 15: Quenla inversa: the leaf length -5 is below zero",
        "no_name line 16: species 8: the name is empty",
        "duplicate_name line 17: Quenla alba: the name is given twice (first on line 9)",
        "same_data lines 9 and 12: Quenla alba and Quenla hairs: no recorded item tells them apart; recorded in only "
        "one of them or in neither: bud hairs"}).join('\n').toStdString());
    EXPECT_EQ(std::tuple(check.records, check.pairs, check.clean()), std::tuple(8, 1, false));
    const DataCheck first = check_data(d, 0, 1);  // the pairs counted up to one, none listed
    EXPECT_EQ(std::tuple(first.findings.size(), first.pairs, first.pairs_capped, check.pairs_capped),
              std::tuple(8u, 1, true, false));
}

}  // namespace
}  // namespace qid
