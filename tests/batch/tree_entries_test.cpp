// A tree's cells understood as the window's controls would hold them, against the shipped choice lists.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "batch/tree_entries.h"
#include "identify/data_file.h"
#include "support/qt_print.h"

namespace qid::batch {
namespace {

using namespace Qt::StringLiterals;

const std::array<QStringList, 7>& shipped_lists()
{
    static const std::array<QStringList, 7> lists = read_data_file(QID_SOURCE_DIR "/data/qid.dta").data->lists;
    return lists;
}

// A tree in row 2 with these cells.
Tree tree(std::vector<TreeCell> cells, bool extend = false)
{
    return read_tree({2, std::move(cells), {}}, shipped_lists(), extend);
}

// The cells, and what they change from nothing observed.
struct Read { std::vector<TreeCell> cells; std::function<void(ObservationSet&, Factors&)> expected; };

TEST(TreeEntries, CellsReadAsTheControlsHoldThem)
{
    using O = ObservationSet;
    using F = Factors;
    const Read cases[] = {
        {{}, [](O&, F&) {}},
        {{{"initial_colour", "RED"}}, [](O& o, F&) { o.fruit_colour = {"RED", "UNCHANGED"}; }},  // as preselected
        {{{"initial_colour", " red "}, {"final_colour", "black"}}, [](O& o, F&) { o.fruit_colour = {"RED", "BLACK"}; }},
        {{{"final_colour", "UNCHANGED"}}, [](O&, F&) {}},  // the preselected entry alone says nothing
        {{{"colour_above", "DARK GREEN"}}, [](O& o, F&) { o.leaf_colour = {"DARK GREEN", "AS ABOVE"}; }},
        {{{"colour_above", "MID GREEN"}, {"colour_below", "GREY-GREEN"}},
         [](O& o, F&) { o.leaf_colour = {"MID GREEN", "GREY-GREEN"}; }},
        {{{"bud_hairs", "WOOLLY"}, {"sticky", "NO"}}, [](O& o, F&) { o.bud_prop = {"", "WOOLLY", "NO"}; }},
        {{{"shape", "Ellipsoidal"}}, [](O& o, F&) { o.spherical = false; }},
        {{{"shape", "spherical"}}, [](O&, F&) {}},
        {{{"young", "yes"}}, [](O&, F& f) { f.size_factor = 0.8f; }},
        {{{"young", "X"}}, [](O&, F& f) { f.size_factor = 0.8f; }},
        {{{"young", "1"}}, [](O&, F& f) { f.size_factor = 0.8f; }},
        {{{"young", "False"}}, [](O&, F&) {}},
        {{{"young", "0"}}, [](O&, F&) {}},
        {{{"leaflet_pairs", "6"}, {"leaf_length", "180"}, {"leaflet_length", "50"}, {"leaflet_width", "20"}},
         [](O& o, F&) { o.leaf_size = {6, 180, 50, 20}; }},
        {{{"berry_size", "12.5"}, {"bud_length", "13.5"}}, [](O& o, F&) { o.berry_size = 12; o.bud_length = 14; }},
        {{{"berry_size", "12.7"}, {"bud_length", "32767"}}, [](O& o, F&) { o.berry_size = 13; o.bud_length = 32767; }},
        {{{"Berry Size", "9"}, {" BUD-LENGTH ", "8"}}, [](O& o, F&) { o.berry_size = 9; o.bud_length = 8; }},
        {{{"notes", ""}, {"", ""}}, [](O&, F&) {}},  // unknown columns left empty lose nothing
        {{{"berry_size", "0"}, {"leaflet_pairs", "0.4"}, {"bud_length", "-0"}}, [](O&, F&) {}},  // not measured
        {{{"final_colour", "RED"}, {"colour_below", "GREY-GREEN"}}, [](O&, F&) {}},  // unused, as in the window
        {{{"leaf_length", "1e2", 100.4}}, [](O& o, F&) { o.leaf_size[1] = 100; }},  // a JSON number
    };
    for (const Read& c : cases) {
        ObservationSet seen;
        Factors factors;
        c.expected(seen, factors);
        const Tree t = tree(c.cells);
        EXPECT_TRUE(t.errors.isEmpty()) << t.errors.join("\n").toStdString();
        EXPECT_EQ(std::tie(t.seen.fruit_colour, t.seen.spherical, t.seen.berry_size, t.seen.leaf_colour, t.seen.leaf_size,
                           t.seen.bud_prop, t.seen.bud_length, t.factors.size_factor, t.factors.range_ext),
                  std::tie(seen.fruit_colour, seen.spherical, seen.berry_size, seen.leaf_colour, seen.leaf_size,
                           seen.bud_prop, seen.bud_length, factors.size_factor, factors.range_ext))
            << (c.cells.empty() ? "nothing" : c.cells[0].column.toStdString());
    }
    EXPECT_EQ(tree({}, true).factors.range_ext, 0.2f);
    EXPECT_EQ(tree({{"id", " tree 7 "}}).id, "tree 7");
}

// Errors, then warnings.
TEST(TreeEntries, EveryBadCellIsNamedByRowAndColumn)
{
    const QString list = "is not in the INITIAL COLOUR list (GREEN, YELLOW, ORANGE, RED, PINK, PURPLE, BLACK, WHITE)";
    const QString out_of_range = "is out of range: from 0 to 32767, 0 or empty when not measured";
    const struct { std::vector<TreeCell> cells; QStringList errors; } cases[] = {
        {{{"initial_colour", "PURPLE"}, {"colour_above", "TEAL"}},
         {"row 2, column colour_above: \"TEAL\" is not in the COLOUR ABOVE list (YELLOW-GREEN, LIGHT GREEN, MID GREEN, "
          "DARK GREEN, BLUE-GREEN, BRONZE)"}},  // PURPLE is a berry colour
        {{{"berry_size", "99999"}}, {"row 2, column berry_size: 99999 " + out_of_range}},
        {{{"leaflet_pairs", "-3"}}, {"row 2, column leaflet_pairs: -3 " + out_of_range}},
        {{{"bud_length", "32767.5"}}, {"row 2, column bud_length: 32767.5 " + out_of_range}},
        {{{"leaf_length", "7mm"}, {"leaflet_width", "1e3"}, {"bud_length", u"\u0661\u0662"_s}},
         {"row 2, column leaf_length: \"7mm\" is not a number", "row 2, column leaflet_width: \"1e3\" is not a number",
          u"row 2, column bud_length: \"\u0661\u0662\" is not a number"_s}},  // Arabic-Indic 12
        {{{"final_colour", "RED"}}, {"row 2, column final_colour: \"RED\" is not used: it counts only together "
                                     "with initial_colour, which is empty, as in the window"}},
        {{{"colour_below", "SILVERY"}}, {"row 2, column colour_below: \"SILVERY\" is not used: it counts only "
                                         "together with colour_above, which is empty, as in the window"}},
        {{{"initial_colour", u"\0\t\u0085\u2028"_s + QString(1 << 20, 'A')}},
         {"row 2, column initial_colour: \"\\0\\t\\u0085\\u2028" + QString(36, 'A') + u"\u2026\" "_s + list}},
        {{{"initial_colour", u"\U0001F333\xD800"_s + QString(40, 'B')}},
         {u"row 2, column initial_colour: \"\U0001F333\\uD800"_s + QString(38, 'B') + u"\u2026\" "_s + list}},
        {{{"berry_size", QString(50, '9')}}, {"row 2, column berry_size: " + QString(40, '9') + u"\u2026 "_s + out_of_range}},
        {{{"berry_size", "1e400", INFINITY}}, {"row 2, column berry_size: 1e400 " + out_of_range}},
        {{{"ID", "a"}, {"ID", "b", {}, true}, {"x\ny", "c", {}, true}},
         {"row 2, column id: given twice", "row 2, column \"x\\ny\": given twice"}},
        {{{"young", "maybe"}}, {"row 2, column young: \"maybe\" is neither yes nor no (yes, y, true, 1 or x; no, n, "
                                "false, 0 or empty)"}},
        {{{"shape", "round"}}, {"row 2, column shape: \"round\" is neither spherical nor ellipsoidal"}},
        {{{"berry size", "9"}, {"Berry_Size", "10"}}, {"row 2, column berry_size: given twice"}},
        {{{"", "loose"}}, {"row 2, column (none): \"loose\" stands beyond the columns the header names"}},
        {{{"bud colour", "GREEN"}, {"notes", "by the river"}},
         {"row 2, column \"notes\": unknown column; the columns are id, young, initial_colour, final_colour, shape, "
          "berry_size, colour_above, colour_below, leaf_length, leaflet_width, leaflet_length, leaflet_pairs, "
          "bud_colour, bud_hairs, sticky, bud_length"}},
    };
    for (const auto& c : cases) {
        const Tree t = tree(c.cells);
        EXPECT_EQ(t.errors + t.warnings, c.errors);
    }
    const Tree unreadable = read_tree({5, {{"id", "a"}}, {"a JSON object was expected"}}, shipped_lists(), false);
    EXPECT_EQ(unreadable.errors, QStringList{"row 5: a JSON object was expected"});
}

}  // namespace
}  // namespace qid::batch
