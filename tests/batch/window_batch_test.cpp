// The same observation gives the same lists on the real window, entered as a user would, and in the batch.
#include "batch/tree_entries.h"
#include "identify/cascade.h"
#include "identify/data_file.h"
#include "shell/window_fixture.h"
#include "support/qt_print.h"

namespace qid::testing {
namespace {

using batch::TreeCell;

// Where a user enters each column on the window; "young" and "shape" are clicked.
const std::pair<const char*, int> entered_in[] = {
    {"initial_colour", initial_colour}, {"final_colour", final_colour}, {"colour_above", colour_above},
    {"colour_below", colour_below},     {"bud_colour", bud_colour},     {"bud_hairs", bud_hairs},
    {"sticky", sticky},                 {"berry_size", berry_size},     {"leaflet_pairs", pairs},
    {"leaf_length", leaf_length},       {"leaflet_length", leaflet_length}, {"leaflet_width", leaflet_width},
    {"bud_length", bud_length}};

// The lists each step showed, and the step that found no trees (-1: none did).
using Lists = std::pair<std::vector<QStringList>, int>;

class WindowBatchTest : public WindowTest {
protected:
    void enter(const std::vector<TreeCell>& cells)
    {
        click(clear);
        for (const TreeCell& c : cells) {
            const QByteArray v = c.text.trimmed().toLatin1();
            if (v.isEmpty() || c.column == "id")
                continue;
            if (c.column == "young" && v == "yes")
                click(young);
            if (c.column == "shape")
                click(v == "ellipsoidal" ? ellipsoidal : Slot::spherical);
            for (const auto& [column, s] : entered_in)
                if (c.column == column)
                    qobject_cast<QAbstractItemView*>(widget(s)) ? choose(s, v.constData()) : type(s, v.constData());
        }
    }

    // NEXT three times, or until a step finds no trees; with `extend`, first
    // until EXTEND is offered, then EXTEND, as a user widens the ranges.
    Lists on_window(const std::vector<TreeCell>& cells, bool extend)
    {
        enter(cells);
        if (extend) {
            for (int s = 0; s < 3 && !ctl_tbl[Slot::extend]->visible(); ++s)
                click(next);
            EXPECT_TRUE(ctl_tbl[Slot::extend]->visible()) << "EXTEND is offered only after a step without trees";
            click(Slot::extend);
        }
        Lists lists{{}, -1};
        for (int s = 0; s < 3; ++s) {
            messages_.clear();
            click(next);
            if (!messages_.shown().empty()) {
                EXPECT_EQ(messages_.last().text, no_trees_message(s));
                lists.second = s;
                break;
            }
            QStringList names = results();
            names.replaceInStrings(QRegularExpression("^Quenla "), "");
            lists.first.push_back(names);
        }
        return lists;
    }

    static Lists in_batch(const std::vector<TreeCell>& cells, bool extend)
    {
        static const DataFileResult species = read_data_file(QID_PROGRAM_DIR "/qid.dta");
        const batch::Tree tree = batch::read_tree({2, cells, {}}, species.data->lists, extend);
        EXPECT_TRUE(tree.errors.isEmpty()) << tree.errors.join("\n").toStdString();
        const CascadeResult r = run_cascade(*species.data, tree.seen, tree.factors);
        Lists lists{{}, r.stopped};
        for (int s = 0; s <= r.stage && s != r.stopped; ++s) {
            QStringList names;
            const auto& row = r.selected[static_cast<std::size_t>(s)];
            for (int k = 1; k <= row[0]; ++k)
                names << species.data->names[static_cast<std::size_t>(row[static_cast<std::size_t>(k)])];
            lists.first.push_back(names);
        }
        return lists;
    }
};

struct Case { const char* name; std::vector<TreeCell> cells; bool extend = false; int stopped = -1; };

TEST_F(WindowBatchTest, TheSameObservationGivesTheSameListsBothWays)
{
    const std::vector<TreeCell> grown = {{"initial_colour", "RED"}, {"berry_size", "6"}, {"colour_above", "DARK GREEN"},
                                         {"leaf_length", "150"}, {"bud_length", "7"}};
    std::vector<TreeCell> young_and_grown = grown;
    young_and_grown.insert(young_and_grown.begin(), {"young", "yes"});
    const Case cases[] = {
        {"nothing entered", {}},
        {"the README's second example", {{"young", "yes"}, {"initial_colour", "ORANGE"}, {"final_colour", "RED"},
                                         {"shape", "ellipsoidal"}, {"berry_size", "7"}, {"colour_above", "MID GREEN"},
                                         {"colour_below", "GREY-GREEN"}, {"leaf_length", "130"},
                                         {"leaflet_pairs", "5"}, {"bud_colour", "GREEN"}, {"bud_length", "9"}}},
        {"the README's third example", {{"initial_colour", "BLACK"}, {"final_colour", "UNCHANGED"},
                                        {"leaf_length", "260"}, {"leaflet_width", "20"}, {"leaflet_length", "70"},
                                        {"leaflet_pairs", "8"}, {"bud_hairs", "WOOLLY"}, {"sticky", "NO"}}},
        {"a young tree reaches frutescens", young_and_grown},
        {"the same tree grown: no trees at the bud step", grown, false, 2},
        {"extended, the grown tree finds trees", grown, true},
        {"extended, a bud too long for every species finds some",
         {{"initial_colour", "RED"}, {"berry_size", "9"}, {"colour_above", "DARK GREEN"}, {"leaf_length", "180"},
          {"leaflet_pairs", "6"}, {"bud_colour", "RED-BROWN"}, {"bud_length", "12"}}, true},
        {"no trees at the leaf step", {{"initial_colour", "RED"}, {"berry_size", "9"}, {"colour_above", "BRONZE"}},
         false, 1},
        {"a final colour and a colour below", {{"initial_colour", "ORANGE"}, {"final_colour", "RED"},
                                               {"shape", "ellipsoidal"}, {"colour_above", "MID GREEN"},
                                               {"colour_below", "GREY-GREEN"}, {"young", "yes"}}},
        {"second colours without first ones are not used",
         {{"final_colour", "RED"}, {"colour_below", "GREY-GREEN"}, {"berry_size", "9"}, {"leaflet_pairs", "6"}}},
        {"decimal sizes round halves to even", {{"initial_colour", "BLACK"}, {"berry_size", "9.5"},
                                                {"leaf_length", "180.5"}, {"leaflet_width", "20.5"},
                                                {"leaflet_length", "70.5"}, {"leaflet_pairs", "8"}}},
    };
    for (const Case& c : cases) {
        const Lists batch = in_batch(c.cells, c.extend);
        EXPECT_EQ(on_window(c.cells, c.extend), batch) << c.name;
        EXPECT_EQ(batch.second, c.stopped) << c.name;
    }
}

}  // namespace
}  // namespace qid::testing
