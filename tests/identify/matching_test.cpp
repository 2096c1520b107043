// The fruit, leaf and bud tests against one-species tables built in place.
#include <initializer_list>

#include <gtest/gtest.h>

#include "identify/matching.h"
#include "shell/state.h"

namespace qid {
namespace {

Cell T(const char* s) { return Cell::of_text(QString::fromLatin1(s)); }
Cell N(double v) { return Cell::of_number(v); }
Cell B(bool b) { return Cell::of_bool(b); }
const Cell E;

// One species (number 1) whose row holds the given cells from column 0 on.
void one_species(CellTable& table, int columns, std::initializer_list<Cell> row)
{
    table.resize(2, columns);
    int c = 0;
    for (const Cell& cell : row)
        table.at(1, c++) = cell;
}

class Matching : public ::testing::Test {
protected:
    void SetUp() override
    {
        species_count = 1;
        bud_len_fac = {0.8f, 1.1f};
        size_factor = 1.0f;
        range_ext = 0.0f;
        fruit_colour = {};
        spherical = true;
        berry_size = 0;
        leaf_colour = {};
        leaf_size = {};
        bud_prop = {};
        bud_length = 0;
    }
};

TEST_F(Matching, NoDataRulesSayWhatCountsAsEntered)
{
    EXPECT_TRUE(no_fruit_data());
    EXPECT_TRUE(no_leaf_data());
    EXPECT_TRUE(no_bud_data());

    fruit_colour[1] = "RED";  // a final colour alone is never taken from the form
    berry_size = -3;          // a negative size is no fruit data
    EXPECT_TRUE(no_fruit_data());
    spherical = false;  // Ellipsoidal alone counts
    EXPECT_FALSE(no_fruit_data());
    spherical = true;
    berry_size = 1;
    EXPECT_FALSE(no_fruit_data());
    berry_size = 0;
    fruit_colour[0] = "RED";
    EXPECT_FALSE(no_fruit_data());

    leaf_size = {-1, -2, -3, -4};
    leaf_colour[1] = "AS ABOVE";
    EXPECT_TRUE(no_leaf_data());
    for (int k = 0; k < 4; ++k) {
        leaf_size = {};
        leaf_size[static_cast<std::size_t>(k)] = 1;
        EXPECT_FALSE(no_leaf_data()) << "leaf box " << k;
    }
    leaf_size = {};
    leaf_colour[0] = "DARK GREEN";
    EXPECT_FALSE(no_leaf_data());

    for (int k = 0; k < 3; ++k) {
        bud_prop = {};
        bud_prop[static_cast<std::size_t>(k)] = "X";
        EXPECT_FALSE(no_bud_data()) << "bud list " << k;
    }
    bud_prop = {};
    bud_length = -1;  // unlike fruit and leaf, a negative bud length is entered
    EXPECT_FALSE(no_bud_data());
}

struct ColourCase {
    const char* name;
    Cell first, second;        // the species' recorded colours
    const char *seen0, *seen1; // the observed colours
    bool agrees;
};

TEST_F(Matching, ColoursComparedOnlyWhenBothRecordedAndObserved)
{
    const ColourCase cases[] = {
        {"same pair", T("RED"), T("UNCHANGED"), "RED", "UNCHANGED", true},
        {"first differs", T("RED"), T("UNCHANGED"), "ORANGE", "UNCHANGED", false},
        {"default second against a changing species", T("GREEN"), T("BLACK"), "GREEN", "UNCHANGED", false},
        {"second not observed", T("GREEN"), T("BLACK"), "GREEN", "", true},
        {"case-sensitive", T("Red"), T("UNCHANGED"), "RED", "UNCHANGED", false},
        {"only the first recorded", T("RED"), T(""), "ORANGE", "BLACK", true},
        {"only the second recorded", E, T("BLACK"), "ORANGE", "UNCHANGED", true},
        {"nothing observed", T("RED"), T("BLACK"), "", "", true},
    };
    for (const ColourCase& c : cases) {
        one_species(fruit_table, 5, {c.first, c.second, E, E, B(true)});
        one_species(leaf_table, 10, {c.first, c.second});
        fruit_colour = {c.seen0, c.seen1};
        leaf_colour = {c.seen0, c.seen1};
        EXPECT_EQ(fruit_match(1), c.agrees) << "fruit: " << c.name;
        EXPECT_EQ(leaf_match(1), c.agrees) << "leaf: " << c.name;
    }
}

struct RangeCase {
    double least, greatest;
    std::int16_t seen;
    float factor, ext;
    bool agrees;
};

// Berry size, leaflet pairs and leaf length share one range rule.
TEST_F(Matching, SizeRangesKeepTheirBoundsInSinglePrecision)
{
    const RangeCase cases[] = {
        {5, 10, 5, 1.0f, 0.0f, true},    {5, 10, 10, 1.0f, 0.0f, true},
        {5, 10, 4, 1.0f, 0.0f, false},   {5, 10, 11, 1.0f, 0.0f, false},
        {0, 10, 99, 1.0f, 0.0f, true},   {5, 0, 1, 1.0f, 0.0f, true},
        {5, 10, -2, 1.0f, 0.0f, false},  {150, 250, 120, 0.8f, 0.0f, true},
        // young tree, 10 to 10: 9 passes, 7 fails, 8 is the bound itself
        {10, 10, 9, 0.8f, 0.0f, true},   {10, 10, 8, 0.8f, 0.0f, true},
        {10, 10, 7, 0.8f, 0.0f, false},  {10, 10, 11, 0.8f, 0.0f, false},
        // extended: about 6.4 to 12
        {10, 10, 7, 0.8f, 0.2f, true},   {10, 10, 12, 0.8f, 0.2f, true},
        {10, 10, 13, 0.8f, 0.2f, false}, {10, 10, 6, 0.8f, 0.2f, false},
        {10, 10, 8, 1.0f, 0.2f, true},
    };
    for (const RangeCase& c : cases) {
        size_factor = c.factor;
        range_ext = c.ext;
        const std::string name = std::to_string(c.least) + ".." + std::to_string(c.greatest) + " seen " +
                                 std::to_string(c.seen) + " factor " + std::to_string(c.factor) + " ext " +
                                 std::to_string(c.ext);
        one_species(fruit_table, 5, {E, E, N(c.least), N(c.greatest), B(true)});
        berry_size = c.seen;
        EXPECT_EQ(fruit_match(1), c.agrees) << "berry " << name;

        one_species(leaf_table, 10, {E, E, N(c.least), N(c.greatest)});
        leaf_size = {c.seen, 0, 0, 0};
        EXPECT_EQ(leaf_match(1), c.agrees) << "pairs " << name;
        one_species(leaf_table, 10, {E, E, E, E, N(c.least), N(c.greatest)});
        leaf_size = {0, c.seen, 0, 0};
        EXPECT_EQ(leaf_match(1), c.agrees) << "leaf length " << name;
    }
}

TEST_F(Matching, ShapeAlwaysCountsAndUnrecordedMeansEllipsoidal)
{
    const struct { Cell shape; bool sphere; bool agrees; } cases[] = {
        {B(true), true, true}, {B(false), true, false}, {E, true, false},
        {E, false, true},      {N(-1), true, true},     {N(0), false, true},
    };
    for (const auto& c : cases) {
        one_species(fruit_table, 5, {E, E, E, E, c.shape});
        spherical = c.sphere;
        EXPECT_EQ(fruit_match(1), c.agrees) << c.shape.text().toStdString() << " vs " << c.sphere;
    }
    // A file with fewer fruit columns records no shape.
    spherical = true;
    one_species(fruit_table, 4, {T("RED"), T("UNCHANGED"), N(5), N(10)});
    EXPECT_FALSE(fruit_match(1));
}

TEST_F(Matching, LeafletShapeBandIsFixedAndAppliesOnlyWithBothMeasures)
{
    // least 30 x 15, greatest 60 x 25: mean ratio 2.2, band 1.98 to 2.42;
    // 18 x 9 and 20 x 10 make a mean of exactly 2, band 1.8 to 2.2.
    const struct { double l0, l1, w0, w1; std::int16_t length, width; bool agrees; } cases[] = {
        {30, 60, 15, 25, 40, 20, true},  {30, 60, 15, 25, 40, 25, false},
        {30, 60, 15, 25, 40, 0, true},   {30, 60, 15, 25, 0, 25, true},
        {30, 60, 15, 25, 40, -1, true},  {30, 60, 15, 0, 40, 25, true},
        {18, 20, 9, 10, 18, 10, true},   {18, 20, 9, 10, 22, 10, true},
        {18, 20, 9, 10, 17, 10, false},  {18, 20, 9, 10, 23, 10, false},
    };
    for (const auto& c : cases) {
        for (const float ext : {0.0f, 0.2f}) {
            range_ext = ext;
            size_factor = ext == 0.0f ? 1.0f : 0.8f;
            one_species(leaf_table, 10, {E, E, E, E, E, E, N(c.l0), N(c.l1), N(c.w0), N(c.w1)});
            leaf_size = {0, 0, c.length, c.width};
            EXPECT_EQ(leaf_match(1), c.agrees) << c.length << "x" << c.width << " against " << c.l0 << "/" << c.w0
                                               << ".." << c.l1 << "/" << c.w1 << " ext " << ext;
        }
    }
}

TEST_F(Matching, BudPropertiesStandAloneAndLengthFollowsTheTypicalLength)
{
    one_species(bud_table, 4, {T("BROWN"), E, T("YES"), N(10)});
    const struct { const char *colour, *hairs, *sticky; bool agrees; } props[] = {
        {"", "HAIRY", "", true},       {"BROWN", "", "", true},  {"GREY", "", "", false},
        {"", "", "NO", false},         {"brown", "", "", false}, {"BROWN", "WOOLLY", "YES", true},
    };
    for (const auto& p : props) {
        bud_prop = {p.colour, p.hairs, p.sticky};
        EXPECT_EQ(bud_match(1), p.agrees) << p.colour << "/" << p.hairs << "/" << p.sticky;
    }
    bud_prop = {};
    one_species(bud_table, 4, {E, T("SMOOTH"), E, N(10)});
    bud_prop[1] = "HAIRY";
    EXPECT_FALSE(bud_match(1));
    bud_prop = {};

    // typical 10: 8 to 11; young 6.4 to 11; extended 6.4 to 13.2; young and extended 5.12 to 13.2
    const struct { std::int16_t length; float factor, ext; bool agrees; } lengths[] = {
        {9, 1.0f, 0.0f, true},   {10, 1.0f, 0.0f, true}, {7, 1.0f, 0.0f, false}, {12, 1.0f, 0.0f, false},
        {8, 1.0f, 0.0f, true},   {11, 1.0f, 0.0f, true}, {7, 0.8f, 0.0f, true},  {6, 0.8f, 0.0f, false},
        {13, 1.0f, 0.2f, true},  {14, 1.0f, 0.2f, false}, {7, 1.0f, 0.2f, true}, {6, 1.0f, 0.2f, false},
        {6, 0.8f, 0.2f, true},   {5, 0.8f, 0.2f, false}, {-1, 1.0f, 0.0f, false},
    };
    for (const auto& l : lengths) {
        size_factor = l.factor;
        range_ext = l.ext;
        bud_length = l.length;
        EXPECT_EQ(bud_match(1), l.agrees) << "bud " << l.length << " factor " << l.factor << " ext " << l.ext;
    }
    one_species(bud_table, 4, {T("BROWN"), T("SMOOTH"), T("NO"), E});
    bud_length = -1;
    EXPECT_TRUE(bud_match(1));  // no typical length recorded
}

TEST_F(Matching, SpeciesOutsideTheTableNeverMatch)
{
    one_species(fruit_table, 5, {E, E, E, E, B(true)});
    one_species(leaf_table, 10, {});
    one_species(bud_table, 4, {});
    for (const int i : {0, 2, -1}) {
        EXPECT_FALSE(fruit_match(i)) << i;
        EXPECT_FALSE(leaf_match(i)) << i;
        EXPECT_FALSE(bud_match(i)) << i;
    }
    EXPECT_TRUE(fruit_match(1));
    EXPECT_TRUE(leaf_match(1));
    EXPECT_TRUE(bud_match(1));
}

}  // namespace
}  // namespace qid
