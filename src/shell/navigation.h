#pragma once
// Returning the main window to a clean state: after every edit of an
// observation (reset_selection) and on CLEAR (clear_entries). Both reach the
// controls through the control table only.

namespace qid {

// Back to the start of the cascade: the result list emptied, the heading
// "SELECTION", only NEXT (and CLEAR) offered.
void reset_selection();

// Every observation control back to its default, then reset_selection.
void clear_entries();

// Control-table slots of the controls the navigation drives.
namespace slot {
constexpr int instruction = 0;
constexpr int result_list = 4;
constexpr int initial_colour = 5;
constexpr int final_colour = 6;
constexpr int young_tree = 7;
constexpr int bud_colour = 8;
constexpr int berry_size = 11;
constexpr int heading = 12;
constexpr int print_button = 15;
constexpr int next_button = 16;
constexpr int back_button = 17;
constexpr int colour_above = 18;
constexpr int colour_below = 19;
constexpr int leaflet_pairs = 20;
constexpr int spherical = 24;
constexpr int ellipsoidal = 25;
constexpr int bud_length = 26;
constexpr int clear_button = 27;
constexpr int extend_button = 28;
constexpr int extended_notice = 29;
}  // namespace slot

}  // namespace qid
