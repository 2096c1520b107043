// The fruit, leaf and bud tests against one-species tables built in place;
// every case also checks that the species has reasons exactly when rejected.
#include <initializer_list>
#include <numeric>
#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include "datagen.h"
#include "identify/cascade.h"
#include "identify/data_file.h"
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

// The rules as first written, over the cells one species at a time: the
// compiled rows of the search steps must give exactly what these give.
namespace cells {
const Cell none;
const Cell& at(const CellTable& t, int i, int c) { return c < t.columns() ? t.at(i, c) : none; }
bool measured(const Cell& c) { return c.kind() != Cell::Kind::text && !c.equals_zero(); }
bool within(std::int16_t v, float lower, float upper) { return !(float(v) < lower) && !(float(v) > upper); }
bool agrees(const Cell& c, const QString& seen) { return c.equals_empty_text() || seen.isEmpty() || c.text_is(seen); }
bool in_range(const CellTable& t, int i, int c, std::int16_t v, const Factors& f)
{
    const Cell &low = at(t, i, c), &high = at(t, i, c + 1);
    float lower = static_cast<float>(low.number()) * f.size_factor;
    lower = lower * (1.0f - f.range_ext);
    return !measured(low) || !measured(high) || v == 0 ||
           within(v, lower, static_cast<float>(high.number()) * (1.0f + f.range_ext));
}
bool colours(const CellTable& t, int i, const std::array<QString, 2>& s)
{
    return at(t, i, 0).equals_empty_text() || at(t, i, 1).equals_empty_text() ||
           (agrees(at(t, i, 0), s[0]) && agrees(at(t, i, 1), s[1]));
}
bool fruit(const SpeciesTable& t, int i, const ObservationSet& s, const Factors& f)
{
    return colours(t.fruit, i, s.fruit_colour) && in_range(t.fruit, i, 2, s.berry_size, f) &&
           at(t.fruit, i, 4).number() == (s.spherical ? -1.0 : 0.0);
}
bool leaf(const SpeciesTable& t, int i, const ObservationSet& s, const Factors& f)
{
    const CellTable& l = t.leaf;
    const auto ratio = [&](int c) { return static_cast<float>(at(l, i, c).number() / at(l, i, c + 2).number()); };
    const auto band = [&] {
        const float mean = (ratio(6) + ratio(7)) / 2.0f;
        const double seen = static_cast<double>(s.leaf_size[2]) / s.leaf_size[3];
        return !(seen < 0.9 * mean) && !(seen > 1.1 * mean);
    };
    const bool shaped = measured(at(l, i, 6)) && measured(at(l, i, 7)) && measured(at(l, i, 8)) &&
                        measured(at(l, i, 9)) && s.leaf_size[2] >= 1 && s.leaf_size[3] >= 1;
    return colours(l, i, s.leaf_colour) && in_range(l, i, 2, s.leaf_size[0], f) &&
           in_range(l, i, 4, s.leaf_size[1], f) && (!shaped || band());
}
bool bud(const SpeciesTable& t, int i, const ObservationSet& s, const Factors& f)
{
    const float typical = static_cast<float>(at(t.bud, i, 3).number());
    float lower = typical * f.bud_len_fac[0];
    lower = lower * f.size_factor;
    const float upper = typical * f.bud_len_fac[1] * (1.0f + f.range_ext);
    const bool length = !measured(at(t.bud, i, 3)) || s.bud_length == 0 ||
                        within(s.bud_length, lower * (1.0f - f.range_ext), upper);
    return agrees(at(t.bud, i, 0), s.bud_prop[0]) && agrees(at(t.bud, i, 1), s.bud_prop[1]) &&
           agrees(at(t.bud, i, 2), s.bud_prop[2]) && length;
}
}  // namespace cells

// Random observations, texts no species records among them, against the shipped file and a generated one.
TEST(MatchingPaths, CompiledRowsGiveWhatTheCellsGive)
{
    const DataFileResult shipped = read_data_file(QID_SOURCE_DIR "/data/qid.dta");
    ASSERT_TRUE(shipped.data);
    const std::array<QStringList, 7> lists = shipped.data->lists;
    const DataFileResult generated = read_data_bytes(tools::make_species_file(lists, 2000, 5));
    std::mt19937 random(3);
    const auto pick = [&](int l) {  // a text no species records ("X"), or none, now and then
        return random() % 4 ? lists[l][random() % lists[l].size()] : random() % 2 ? "X" : "";
    };
    const auto measure = [&](int most) { return std::int16_t(random() % 3 ? int(random() % most) - 1 : 0); };
    using Rule = bool (*)(const SpeciesTable&, int, const ObservationSet&, const Factors&);
    const struct { bool (*none)(const ObservationSet&); Rule cells, match; } steps[] = {
        {qid::no_fruit_data, cells::fruit, qid::fruit_match}, {qid::no_leaf_data, cells::leaf, qid::leaf_match},
        {qid::no_bud_data, cells::bud, qid::bud_match}};
    for (const SpeciesData* table : {&*shipped.data, &*generated.data})
        for (int n = 0; n < 400; ++n) {
            const ObservationSet seen{{pick(0), pick(1)}, random() % 3 != 0, measure(20), {pick(2), pick(3)},
                {measure(12), measure(300), measure(80), measure(30)}, {pick(4), pick(5), pick(6)}, measure(20)};
            const Factors f{random() % 3 ? 1.0f : 0.8f, random() % 3 ? 0.0f : 0.2f, {0.8f, 1.1f}};
            const CascadeResult r = run_cascade(*table, seen, f);
            std::vector<std::int16_t> kept(std::size_t(table->species_count));  // what the cells keep, step by step
            std::iota(kept.begin(), kept.end(), 1);
            for (int s = 0; s <= r.stage; ++s) {
                const auto fails = [&](int i) { return !steps[s].none(seen) && !steps[s].cells(*table, i, seen, f); };
                std::erase_if(kept, fails);
                const std::vector<std::int16_t>& row = r.selected[std::size_t(s)];
                EXPECT_EQ(std::vector(row.begin() + 1, row.begin() + 1 + row[0]), kept) << n << " step " << s;
                for (int i = 0; i <= 50 && table == &*shipped.data; ++i)  // one at a time, outside the table too
                    EXPECT_EQ(steps[s].match(*table, i, seen, f), i % 50 && steps[s].cells(*table, i, seen, f));
            }
        }
}

}  // namespace
}  // namespace qid
