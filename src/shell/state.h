#pragma once
// The program's shared state: every module-level variable that more than one
// part of the program reads or writes, under the names used throughout.
// Plain data only; the objects (about box, message boxes, document) are held
// through shared pointers so this header needs none of their definitions.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QString>

#include "core/shared.h"
#include "identify/observation.h"
#include "identify/table.h"
#include "platform/control.h"

class QWidget;

namespace qid {

class about_64;
class MsgBx;
class mbx;
class PPpages;
class CDC_class;

// ---- Program folder and build (app_path is shared below the window) --------
extern QString data_file;   // app_path + "qid.dta"
extern QString build_date;  // ", dd/mm/yyyy" of the executable's last change

// ---- Identification cascade -----------------------------------------------
extern float screen_ratio;                // screen width in twips / 19200
extern std::int16_t stage;                // -1 not started, 0 FRUIT, 1 +LEAF, 2 +BUD
extern bool needs_read;
extern bool last_stage_done;
extern bool form_ready;
// The step that kept no species since the last reset (-1 when none did) and
// the factors it ran with, which the reset that follows it does not keep.
extern std::int16_t empty_stage;
extern Factors empty_factors;
// Told whenever the cascade's outcome changes (a step listed, a reset, a
// step without survivors), for the windows that explain it; may be empty.
extern std::function<void()> cascade_changed;

// ---- Windows and controls -------------------------------------------------
constexpr int ctl_count = 34;
extern std::vector<QWidget*> form_tbl;  // form_tbl[0] is the main window
extern std::array<platform::Control*, ctl_count> ctl_tbl;

// ---- Shared objects ---------------------------------------------------------
extern std::shared_ptr<about_64> about;
extern std::shared_ptr<MsgBx> msg_style;
extern std::shared_ptr<mbx> msg;
extern std::shared_ptr<PPpages> pages;
extern std::shared_ptr<CDC_class> cdc;

// ---- The window's identification -----------------------------------------
// The window's one species table, observation set, factors and selection,
// which the identification core is given. The shared variables below are
// their parts under their own names.
extern SpeciesTable window_table;
extern ObservationSet window_observations;
extern Factors window_factors;
extern Selection selected;

// Species table, filled once by load_species.
extern std::int16_t& species_count;
extern std::vector<QString>& species_name;  // index 0..species_count, 0 unused
extern CellTable& bud_table;
extern CellTable& leaf_table;
extern CellTable& fruit_table;

// Observation set, read from the controls by read_entries.
extern std::array<QString, 2>& fruit_colour;  // initial, final; "" when none
extern bool& spherical;
extern std::int16_t& berry_size;
extern std::array<QString, 2>& leaf_colour;    // above, below
extern std::array<std::int16_t, 4>& leaf_size; // pairs, leaf length, leaflet length, leaflet width
extern std::array<QString, 3>& bud_prop;       // colour, hairs, sticky
extern std::int16_t& bud_length;

// Factors.
extern float& size_factor;                 // 0.8 for a young or small tree, else 1.0
extern float& range_ext;                   // 0, or 0.2 while size ranges are extended
extern std::array<float, 2>& bud_len_fac;  // lower and upper bud-length multipliers

}  // namespace qid
