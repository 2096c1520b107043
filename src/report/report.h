#pragma once
// The identification report "Kelbine identification": a header with the date
// and the title, the observations of every step up to the one shown, and the
// trees selected at that step. Nothing is stored: the document asks for a
// page whenever it is to be shown or printed, and the page is composed afresh
// from what the report tells.
#include <cstdint>
#include <vector>

#include "identify/observation.h"
#include "identify/table.h"

namespace qid {

class PPpage;
class PPpages;

// What a report tells: the observations and factors of one tree, the step
// shown, the species each step selected and the table that names them. The
// report refers to them, so that every composition reads them as they are
// then; they must outlive the report's pages.
struct ReportSubject {
    const SpeciesTable& table;
    const ObservationSet& observations;
    const Factors& factors;
    const std::int16_t& stage;
    const Selection& selected;
};

// PRINT: fills the document with the pages of the report on `subject` and shows page 1.
void print_report(PPpages& doc, const ReportSubject& subject);
// Fills the document with the pages of the report on `subject`, drawing
// nothing; false when the subject shows no step.
bool add_report_pages(PPpages& doc, const ReportSubject& subject);
// Composes page `page` for the printer (mode 0) or the screen (mode 1) at `zoom`, and outputs it.
void report_page(std::int16_t& mode, float& zoom, std::int16_t& page);
// The observations of one step of the cascade.
void report_entries(std::int16_t& step);
// The list of trees selected at a step, or the part of it the page holds.
void report_trees(std::int16_t& step);

// The margins of the report's pages and the indent of its observations,
// page units; set_report_margins gives them the values start-up sets.
extern float rep_top_margin;
extern float rep_header_margin;
extern float rep_bottom_margin;
extern float rep_footer_margin;
extern float rep_left_margin;
extern float rep_right_margin;
extern float rep_indent;
void set_report_margins();

// The names one page lists: positions first .. first + count - 1 of the step's
// row of the selection table. Page 1 starts at 1 and also holds the
// observations; the later pages go on with the list.
struct ReportNames {
    int first = 1;
    int count = 0;
};

extern PPpage* rep_page;
extern std::vector<PPpage*> rep_pages;  // 1..rep_page_count; entry 0 unused
extern std::int16_t rep_page_count;
extern std::vector<ReportNames> rep_names;  // entry p - 1 for page p
extern float rep_x;
extern float rep_y;
extern float rep_line_h;

}  // namespace qid
