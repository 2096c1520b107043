// The fruit, leaf and bud tests on one-species tables, each also checking that a rejected species has reasons.
#include <initializer_list>
#include <tuple>

#include <gtest/gtest.h>

#include "identify/matching.h"
#include "identify/reasons.h"
#include "shell/state.h"

namespace qid {
namespace {

// The tests on the window's one table, observation set and factors.
bool no_fruit_data() { return qid::no_fruit_data(window_observations); }
bool no_leaf_data() { return qid::no_leaf_data(window_observations); }
bool no_bud_data() { return qid::no_bud_data(window_observations); }
bool agrees(bool match, int i, int step)
{
    if (i >= 1 && i < species_count + 1) {  // reasons are given for the species of the table
        EXPECT_EQ(reasons(window_table, i, step, window_observations, window_factors).empty(), match) << step;
    }
    return match;
}
bool fruit_match(int i) { return agrees(qid::fruit_match(window_table, i, window_observations, window_factors), i, 0); }
bool leaf_match(int i) { return agrees(qid::leaf_match(window_table, i, window_observations, window_factors), i, 1); }
bool bud_match(int i) { return agrees(qid::bud_match(window_table, i, window_observations, window_factors), i, 2); }

Cell T(const char* s) { return Cell::of_text(QString::fromLatin1(s)); }
Cell N(double v) { return Cell::of_number(v); }
Cell B(bool b) { return Cell::of_bool(b); }
const Cell E;

void one_species(CellTable& table, int columns, std::initializer_list<Cell> row)
{
    table.resize(2, columns);
    int c = 0;
    for (const Cell& cell : row)
        table.at(1, c++) = cell;
}

struct Matching : ::testing::Test {  // a grown tree, no range extension and nothing observed
    void SetUp() override
    {
        bud_len_fac = {0.8f, 1.1f};
        tree(1.0f, 0.0f);
        fruit_colour = leaf_colour = {};
        spherical = true;
        berry_size = bud_length = 0;
        leaf_size = {};
        bud_prop = {};
        species_count = 1;
    }
    static void tree(float factor, float ext) { std::tie(size_factor, range_ext) = std::tuple(factor, ext); }
};

TEST_F(Matching, NoDataRulesSayWhatCountsAsEntered)
{
    fruit_colour[1] = leaf_colour[1] = "RED";  // a second colour alone is never taken from the form
    berry_size = -3;                           // nor is a negative fruit or leaf size
    leaf_size = {-1, -2, -3, -4};
    EXPECT_TRUE(no_fruit_data() && no_leaf_data() && no_bud_data());
    const struct { bool (*none)(); void (*enter)(); } entered[] = {{no_fruit_data, [] { spherical = false; }},
        {no_fruit_data, [] { berry_size = 1; }}, {no_fruit_data, [] { fruit_colour[0] = "RED"; }},
        {no_leaf_data, [] { leaf_size[0] = 1; }}, {no_leaf_data, [] { leaf_size[1] = 1; }},
        {no_leaf_data, [] { leaf_size[2] = 1; }}, {no_leaf_data, [] { leaf_size[3] = 1; }},
        {no_leaf_data, [] { leaf_colour[0] = "GREEN"; }}, {no_bud_data, [] { bud_prop[0] = "X"; }},
        {no_bud_data, [] { bud_prop[1] = "X"; }}, {no_bud_data, [] { bud_prop[2] = "X"; }},
        {no_bud_data, [] { bud_length = -1; }}};  // unlike fruit and leaf, a negative bud length is entered
    for (const auto& e : entered) {  // the first: Ellipsoidal alone counts
        SetUp();
        e.enter();
        EXPECT_FALSE(e.none()) << "entry " << &e - entered;
    }
}

TEST_F(Matching, ColoursComparedOnlyWhenBothRecordedAndObserved)
{
    const struct { Cell first, second; const char *seen0, *seen1; bool ok; } cases[] = {
        {T("RED"), T("UNCHANGED"), "RED", "UNCHANGED", true}, {T("RED"), T("UNCHANGED"), "ORANGE", "UNCHANGED", false},
        {T("GREEN"), T("BLACK"), "GREEN", "UNCHANGED", false}, {T("GREEN"), T("BLACK"), "GREEN", "", true},
        {T("Red"), T("UNCHANGED"), "RED", "UNCHANGED", false}, {T("RED"), T(""), "ORANGE", "BLACK", true},
        {E, T("BLACK"), "ORANGE", "UNCHANGED", true}, {T("RED"), T("BLACK"), "", "", true}};
    for (const auto& c : cases) {
        one_species(fruit_table, 5, {c.first, c.second, E, E, B(true)});
        one_species(leaf_table, 10, {c.first, c.second});
        fruit_colour = leaf_colour = {c.seen0, c.seen1};
        EXPECT_EQ(std::pair(fruit_match(1), leaf_match(1)), std::pair(c.ok, c.ok)) << "case " << &c - cases;
    }
}

TEST_F(Matching, SizeRangesKeepTheirBoundsInSinglePrecision)
{
    const struct { bool ok; double least, greatest; std::int16_t seen; float factor = 1, ext = 0; } cases[] = {
        {true, 5, 10, 5}, {true, 5, 10, 10}, {false, 5, 10, 4}, {false, 5, 10, 11}, {true, 0, 10, 99}, {true, 5, 0, 1},
        {false, 5, 10, -2}, {true, 10, 10, 9, 0.8f}, {true, 10, 10, 8, 0.8f}, {false, 10, 10, 7, 0.8f},  // 8 stays 8
        {true, 10, 10, 8, 1, 0.2f}, {true, 10, 10, 7, 0.8f, 0.2f}, {true, 10, 10, 12, 0.8f, 0.2f},  // 6.4 to 12
        {false, 10, 10, 13, 0.8f, 0.2f}, {false, 10, 10, 6, 0.8f, 0.2f}};
    for (const auto& c : cases) {
        tree(c.factor, c.ext);
        berry_size = c.seen;
        one_species(fruit_table, 5, {E, E, N(c.least), N(c.greatest), B(true)});
        one_species(leaf_table, 10, {E, E, N(c.least), N(c.greatest), N(c.least), N(c.greatest)});
        leaf_size = {c.seen, 0, 0, 0};
        const bool pairs = leaf_match(1);
        leaf_size = {0, c.seen, 0, 0};
        EXPECT_EQ(std::tuple(fruit_match(1), pairs, leaf_match(1)), std::tuple(c.ok, c.ok, c.ok)) << &c - cases;
    }
}

TEST_F(Matching, ShapeAlwaysCountsAndSpeciesOutsideTheTableNeverMatch)
{
    const struct { Cell shape; bool sphere, ok; } cases[] = {{B(true), true, true}, {B(false), true, false},
        {E, true, false}, {E, false, true}, {N(0), false, true}, {N(-1), true, true}};
    for (const auto& c : cases) {
        one_species(fruit_table, 5, {E, E, E, E, c.shape});
        spherical = c.sphere;
        EXPECT_EQ(fruit_match(1), c.ok) << "case " << &c - cases;
    }
    leaf_table.resize(2, 10);  // species 1 agrees with every test as the last case left it
    bud_table.resize(2, 4);
    for (const int i : {0, 2, -1})
        EXPECT_FALSE(fruit_match(i) || leaf_match(i) || bud_match(i)) << i;
    EXPECT_TRUE(fruit_match(1) && leaf_match(1) && bud_match(1));
    one_species(fruit_table, 4, {T("RED"), T("UNCHANGED"), N(5), N(10)});  // no shape column: ellipsoidal
    EXPECT_FALSE(fruit_match(1));  // against the spherical fruit observed
}

// 30 x 15 to 60 x 25: mean ratio 2.2, band 1.98 to 2.42; 18 x 9 to 20 x 10: band 1.8 to 2.2.
TEST_F(Matching, LeafletShapeBandIsFixedAndAppliesOnlyWithBothMeasures)
{
    const struct { bool ok; std::int16_t length, width; double l0 = 30, l1 = 60, w0 = 15, w1 = 25; } cases[] = {
        {true, 40, 20}, {false, 40, 25}, {true, 40, 0}, {true, 0, 25}, {true, 40, -1}, {true, 40, 25, 30, 60, 15, 0},
        {true, 18, 10, 18, 20, 9, 10}, {true, 22, 10, 18, 20, 9, 10}, {false, 17, 10, 18, 20, 9, 10},
        {false, 23, 10, 18, 20, 9, 10}};
    for (const auto& c : cases)
        for (const float ext : {0.0f, 0.2f}) {  // neither extension nor a young tree widens the band
            tree(1.0f - ext, ext);
            one_species(leaf_table, 10, {E, E, E, E, E, E, N(c.l0), N(c.l1), N(c.w0), N(c.w1)});
            leaf_size = {0, 0, c.length, c.width};
            EXPECT_EQ(leaf_match(1), c.ok) << "case " << &c - cases << " ext " << ext;
        }
}

// Typical length 10: 8 to 11; young 6.4 to 11; extended 6.4 to 13.2; young and extended 5.12 to 13.2.
TEST_F(Matching, BudPropertiesStandAloneAndLengthFollowsTheTypicalLength)
{
    const struct { bool ok; std::int16_t length; int young = 0, extended = 0;
                   const char *colour = "", *hair = "", *sticky = ""; Cell hairs = E, typical = N(10); } cases[] = {
        {true, 0, 0, 0, "", "HAIRY"}, {true, 0, 0, 0, "BROWN"}, {false, 0, 0, 0, "GREY"}, {false, 0, 0, 0, "brown"},
        {false, 0, 0, 0, "", "", "NO"}, {true, 0, 0, 0, "BROWN", "WOOLLY", "YES"}, {true, 9}, {true, 10}, {false, 7},
        {false, 0, 0, 0, "", "HAIRY", "", T("SMOOTH")}, {true, -1, 0, 0, "", "", "", E, E},  // E, E: no typical length
        {false, 12}, {true, 8}, {true, 11}, {true, 7, 1}, {false, 6, 1}, {true, 11, 1}, {true, 13, 0, 1},
        {false, 14, 0, 1}, {true, 7, 0, 1}, {false, 6, 0, 1}, {true, 6, 1, 1}, {false, 5, 1, 1}, {false, -1}};
    for (const auto& c : cases) {
        one_species(bud_table, 4, {T("BROWN"), c.hairs, T("YES"), c.typical});
        bud_prop = {c.colour, c.hair, c.sticky};
        tree(c.young ? 0.8f : 1.0f, c.extended ? 0.2f : 0.0f);
        bud_length = c.length;
        EXPECT_EQ(bud_match(1), c.ok) << "case " << &c - cases;
    }
}

}  // namespace
}  // namespace qid
