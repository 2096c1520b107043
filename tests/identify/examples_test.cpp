// The shipped species data: its sanity, and the three worked identifications
// of the README run through the three steps on it.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "identify/data_file.h"
#include "identify/matching.h"
#include "shell/state.h"

namespace qid {
namespace {

const QString shipped_file = QStringLiteral(QID_SOURCE_DIR "/data/qid.dta");

using Names = std::vector<std::string>;

// The observations as read_entries leaves them for one identification.
struct Example {
    const char* title;
    bool young;
    std::array<const char*, 2> fruit;
    bool sphere;
    std::int16_t berry;
    std::array<const char*, 2> leaf;
    std::array<std::int16_t, 4> sizes;
    std::array<const char*, 3> bud;
    std::int16_t bud_len;
    Names after_fruit, after_leaf, after_bud;
};

const Example examples[] = {
    {"red berries", false, {"RED", "UNCHANGED"}, true, 9, {"DARK GREEN", "AS ABOVE"}, {6, 180, 50, 20},
     {"RED-BROWN", "HAIRLESS", "YES"}, 8,
     {"frutescens", "rubella", "coccinea", "kermesina", "pendula", "incerta", "fusca"},
     {"frutescens", "rubella", "incerta"},
     {"frutescens"}},
    {"young tree, orange berries", true, {"ORANGE", "RED"}, false, 7, {"MID GREEN", "GREY-GREEN"}, {5, 130, 0, 0},
     {"GREEN", "", ""}, 9,
     {"aurantiaca", "crocea", "obscura", "ambigua", "tardiflora", "velutina", "glutinosa"},
     {"aurantiaca", "crocea", "ambigua", "glutinosa"},
     {"aurantiaca", "crocea"}},
    {"black berries, no sizes", false, {"BLACK", "UNCHANGED"}, true, 0, {"", ""}, {8, 260, 70, 20},
     {"", "WOOLLY", "NO"}, 0,
     {"kermesina", "incerta", "nigra", "atrata", "carbonaria", "fusca", "nana"},
     {"incerta", "nigra", "carbonaria"},
     {"nigra", "carbonaria"}},
};

void observe(const Example& e)
{
    size_factor = e.young ? 0.8f : 1.0f;
    range_ext = 0.0f;
    fruit_colour = {e.fruit[0], e.fruit[1]};
    spherical = e.sphere;
    berry_size = e.berry;
    leaf_colour = {e.leaf[0], e.leaf[1]};
    leaf_size = e.sizes;
    bud_prop = {e.bud[0], e.bud[1], e.bud[2]};
    bud_length = e.bud_len;
}

// One step of the cascade: every candidate survives when nothing applies.
std::vector<int> step(const std::vector<int>& candidates, bool (*no_data)(), bool (*match)(int))
{
    if (no_data())
        return candidates;
    std::vector<int> kept;
    for (const int i : candidates) {
        if (match(i))
            kept.push_back(i);
    }
    return kept;
}

Names names_of(const std::vector<int>& species)
{
    Names n;
    for (const int i : species)
        n.push_back(species_name.at(static_cast<std::size_t>(i)).toStdString());
    return n;
}

class ShippedData : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_controls_ = ctl_tbl;
        ctl_tbl = {};
        data_file = shipped_file;
        ASSERT_TRUE(load_species());
        EXPECT_TRUE(messages_.shown().empty());
        bud_len_fac = {0.8f, 1.1f};
    }
    void TearDown() override { ctl_tbl = saved_controls_; }

    std::vector<int> all_species() const
    {
        std::vector<int> all;
        for (int i = 1; i <= species_count; ++i)
            all.push_back(i);
        return all;
    }

    testing::RecordingMessages messages_;
    std::array<platform::Control*, ctl_count> saved_controls_{};
};

TEST_F(ShippedData, EveryRecordedColourIsAnEntryOfItsList)
{
    const DataFileResult read = read_data_file(shipped_file);
    ASSERT_TRUE(read.data.has_value());
    const SpeciesData& d = *read.data;
    EXPECT_GE(species_count, 45);
    EXPECT_NE(std::find(species_name.begin(), species_name.end(), QStringLiteral("frutescens")), species_name.end());
    EXPECT_EQ(d.lists[1].value(0), QStringLiteral("UNCHANGED"));
    EXPECT_EQ(d.lists[3].value(0), QStringLiteral("AS ABOVE"));

    // (table, column, list): the colour columns and the lists their words come from
    const struct { const CellTable* table; int column; int list; } colours[] = {
        {&fruit_table, 0, 0}, {&fruit_table, 1, 1}, {&leaf_table, 0, 2}, {&leaf_table, 1, 3},
        {&bud_table, 0, 4},   {&bud_table, 1, 5},   {&bud_table, 2, 6},
    };
    for (int i = 1; i <= species_count; ++i) {
        for (const auto& c : colours) {
            const QString word = c.table->at(i, c.column).text();
            EXPECT_TRUE(word.isEmpty() || d.lists[static_cast<std::size_t>(c.list)].contains(word))
                << species_name[static_cast<std::size_t>(i)].toStdString() << ": " << word.toStdString();
        }
    }
}

TEST_F(ShippedData, WorkedExamplesNarrowStepByStep)
{
    for (const Example& e : examples) {
        observe(e);
        const std::vector<int> fruit = step(all_species(), no_fruit_data, fruit_match);
        const std::vector<int> leaf = step(fruit, no_leaf_data, leaf_match);
        const std::vector<int> bud = step(leaf, no_bud_data, bud_match);
        EXPECT_EQ(names_of(fruit), e.after_fruit) << e.title;
        EXPECT_EQ(names_of(leaf), e.after_leaf) << e.title;
        EXPECT_EQ(names_of(bud), e.after_bud) << e.title;
    }
}

TEST_F(ShippedData, YoungTreeTickKeepsSmallBerries)
{
    Example e = examples[1];
    e.young = false;
    observe(e);
    const Names fruit = names_of(step(all_species(), no_fruit_data, fruit_match));
    EXPECT_EQ(std::count(fruit.begin(), fruit.end(), "aurantiaca"), 0);
    EXPECT_EQ(std::count(fruit.begin(), fruit.end(), "crocea"), 1);
}

}  // namespace
}  // namespace qid
