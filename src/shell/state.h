#pragma once
// The program's shared state: every module-level variable that more than one
// part of the program reads or writes, under the names used throughout.
// Plain data only; the objects (about box, message boxes, document) are held
// through shared pointers so this header needs none of their definitions.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

#include "identify/cell.h"
#include "platform/control.h"

class QWidget;

namespace qid {

class about_64;
class MsgBx;
class mbx;
class PPpages;
class CDC_class;

// ---- Program folder and build --------------------------------------------
extern QString app_path;    // program folder followed by "/"
extern QString data_file;   // app_path + "qid.dta"
extern QString build_date;  // ", dd/mm/yyyy" of the executable's last change

// ---- Report margins (page units, inches) ----------------------------------
extern float rep_top_margin;
extern float rep_header_margin;
extern float rep_bottom_margin;
extern float rep_footer_margin;
extern float rep_left_margin;
extern float rep_right_margin;
extern float rep_indent;

// ---- Identification cascade -----------------------------------------------
extern std::array<float, 2> bud_len_fac;  // lower and upper bud-length multipliers
extern float size_factor;                 // 0.8 for a young or small tree, else 1.0
extern float range_ext;                   // 0, or 0.2 while size ranges are extended
extern float screen_ratio;                // screen width in twips / 19200
extern std::int16_t stage;                // -1 not started, 0 FRUIT, 1 +LEAF, 2 +BUD
extern bool needs_read;
extern bool last_stage_done;
extern bool form_ready;

// The one shared error flag of the page engine, the document, the dialogs
// and the message box's CANCEL.
extern bool page_err;

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

// ---- Species table ----------------------------------------------------------
// Rows are species 0..species_count (row 0 never filled), columns 0..maximum.
class CellTable {
public:
    void resize(int rows, int columns)
    {
        rows_ = rows;
        columns_ = columns;
        cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), Cell());
    }
    // The table of these cells, row after row, `columns` to a row.
    void assign(int columns, std::vector<Cell>&& cells)
    {
        columns_ = columns;
        rows_ = columns > 0 ? static_cast<int>(cells.size() / static_cast<std::size_t>(columns)) : 0;
        cells_ = std::move(cells);
        cells_.resize(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_));
    }
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    Cell& at(int row, int column) { return cells_.at(offset(row, column)); }
    const Cell& at(int row, int column) const { return cells_.at(offset(row, column)); }

private:
    std::size_t offset(int row, int column) const
    {
        if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
            return cells_.size();  // makes at() throw std::out_of_range
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    }
    int rows_ = 0;
    int columns_ = 0;
    std::vector<Cell> cells_;
};

extern std::int16_t species_count;
extern std::vector<QString> species_name;  // index 0..species_count, 0 unused
extern CellTable bud_table;
extern CellTable leaf_table;
extern CellTable fruit_table;

// ---- Observation set (read from the controls by read_entries) ---------------
extern std::array<QString, 2> fruit_colour;  // initial, final; "" when none
extern bool spherical;
extern std::int16_t berry_size;
extern std::array<QString, 2> leaf_colour;    // above, below
extern std::array<std::int16_t, 4> leaf_size; // pairs, leaf length, leaflet length, leaflet width
extern std::array<QString, 3> bud_prop;       // colour, hairs, sticky
extern std::int16_t bud_length;

// ---- Selection table ----------------------------------------------------------
// selected[s][0] is the number of species kept by step s (0..2);
// selected[s][1..n] their species numbers in ascending order.
extern std::array<std::vector<std::int16_t>, 3> selected;

}  // namespace qid
