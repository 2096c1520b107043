#pragma once
// PPpage: one printable page of a report and the engine that lays text,
// pictures and boxes out on it. Nothing is kept: every call draws at once on
// the page's current target, the printer (page_flag 0) or the preview surface.
// Every width and height that decides where a line breaks is measured on the
// printer; the surface only places the characters, so both show the same
// line breaks. Positions are page units (inches), Y down, and text stands on
// its Y: the running Y is the lower edge of the current line.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QDate>
#include <QString>
#include <QVariant>

#include "pagelayout/paper_target.h"
#include "platform/draw_target.h"

namespace qid {

// The page's base font: body text starts in it, and the N code, every new
// paragraph and every start of the page on a target return to it.
struct BaseFont {
    QString f_name = QStringLiteral("Arial");
    float f_size = 12.0f;
    bool f_bold = false;
    bool f_italic = false;
    bool f_under = false;
    bool f_strike = false;
    std::int32_t f_col = 0;
    QString f_weight = QStringLiteral("400");
};

// Running position and layout state, readable by callers and tests.
struct PageState {
    float cur_y = 0;        // lower edge of the current line
    std::int16_t align = 0; // default alignment, 0 left .. 3 justified
    float part_x = 0;       // start offset of a partial line, from left_m
    float right_lim = 0;    // right limit of the paragraph being laid out
    float space_w = 0;      // width of " " in the current font, on the printer
    float text_h = 0;       // height of "I" in the current font, on the printer
    float line_h = 0;       // tallest "I" measured so far; never lowered
    bool shifted = false;   // a superscript or subscript is in force
    float base_y = 0;       // running Y before the shift
    float shift_by = 0;     // the shift in text heights: -0.3 raised, 0.1 lowered
    QString cur_ch;         // character just measured or drawn
    float ovr_w = 0;        // printer width of the character to overstrike
    bool ovr_on = false;    // the next character overstrikes
    std::int32_t old_bk = 0;
};

// One code group and the text that follows it.
struct Segment {
    QString code;            // the group's characters, without "\" and "/"
    QString text;
    bool has_group = false;  // false only for the leading text
};

class PPpage {
public:
    // The page draws on the printer or on the surface and loads pictures
    // through pic_box; all three belong to the caller and must outlive it.
    PPpage(platform::DrawTarget& printer, platform::DrawTarget& surface, platform::PictureBox& pic_box);

    // ---- Page model -------------------------------------------------------
    void set_sizes(std::int16_t opt, double vlu);
    QVariant page_data(std::int16_t opt);
    void page_numbers(std::int16_t lpn, std::int16_t apn);
    QVariant page_number(std::int16_t opt) const;
    std::int16_t page_flag() const { return page_flag_; }
    void set_pp(std::int16_t ppf);
    void set_zoom(float zmf);
    // Draw on obj from now on as the surface; nullptr binds the default surface again.
    void set_object(platform::DrawTarget* obj = nullptr);
    void set_p_col(std::int32_t& p_c);
    void set_align(double a_v);
    float line_height() const { return st.line_h; }
    void terminate(float& pd);

    // ---- Fonts ----------------------------------------------------------------
    // f_ar: name, size, bold, italic, underline, strikethrough, colour, weight.
    void font_defaults(const std::array<QVariant, 8>& f_ar);
    void font(const QString& fnm, float fpt, std::optional<bool> fb = {}, std::optional<bool> fi = {},
              std::optional<bool> fu = {}, std::optional<bool> fs = {}, std::optional<std::int32_t> fc = {},
              std::optional<std::int16_t> fw = {});
    QVariant font_data(std::int16_t opt);
    void set_font(const QVariant& itm, std::int16_t opt);
    // While set, the base font and the Q code leave the text colour alone.
    void set_col_lock(bool on) { col_lock = on; }

    // ---- Text -------------------------------------------------------------------
    void add_text(const QString& tx, float& hp, bool tm, float& p_d, int alg, float vp);
    void add_f_text(const QString& tx, float& p_d, bool tm, int alg, float& p_l, float vp, float h_p);

    // ---- Graphics, boxes, headers and dates -------------------------------------
    void add_graphic(const QString& g_path, float gw, float gh, float& hh, float& vv);
    void add_box(float pd, float& hp, float x2, float y2);
    void head_foot(int flg, const QString& ltx, const QString& ctx, const QString& rtx, const QString& f_nm,
                   float f_sz, bool f_mb);
    static QString super_date(const QDate& dt, bool f);
    static QString roman(int n);
    // Where "today" comes from for the header dates (the system date by default).
    void set_clock(std::function<QDate()> today) { today_ = std::move(today); }

    // ---- Inspection -------------------------------------------------------------
    const PageState& state() const { return st; }
    const BaseFont& base_font() const { return base; }
    const std::vector<Segment>& segs() const { return segs_; }
    int seg_last() const { return static_cast<int>(segs_.size()) - 1; }

private:
    // A character position inside the segments.
    struct Pos {
        int seg = 0;
        int ch = 0;
        auto operator<=>(const Pos&) const = default;
    };
    // Everything a line must start from again when it is drawn after being measured.
    struct LineStart {
        Pos pos;
        PageState st;
    };
    struct Measured;

    // Shows a system message box and sets page_err.
    static void fail(const QString& text, const QString& title, int icon);
    // Where the page draws: the paper (page positions moved by the
    // unprintable offsets onto the printer) or the surface.
    platform::DrawTarget& target() { return page_flag_ == 0 ? static_cast<platform::DrawTarget&>(paper) : *surface; }
    float surface_size(float points) const { return points * preview_scale * zoom_factor; }

    // Fonts
    void apply_font();
    platform::TargetFont target_font(const BaseFont& f) const;
    void reset_font();
    void save_font();
    void restore_font();
    void measure_font();
    void set_target_fonts(const std::function<void(platform::TargetFont&)>& change);
    void set_colours(std::int32_t rgb);

    // Format codes
    void split_codes(const QString& text);
    void apply_codes(const QString& group);
    void shift(float offset);

    // Paragraph layout
    bool at_end(const Pos& p) const;
    bool blank_from(Pos p) const;
    void enter_text(Pos& p);
    void skip_spaces(Pos& p);
    float text_extent();
    Measured measure_line(const LineStart& start, float indent);
    float line_start_x(int a, float indent, float width, float partial);
    void restore_line(const LineStart& start);
    void restore_state(const LineStart& start);
    LineStart line_start(const Pos& pos) const;
    float draw_line(const LineStart& start, const Measured& m, int alg, float indent, float vp);
    void draw_piece(float& pen, float vp);
    void line_feed(float tallest, float vp);
    float end_line();

    platform::DrawTarget& printer;
    PaperTarget paper;
    platform::DrawTarget& default_surface;
    platform::DrawTarget* surface;
    platform::PictureBox& pic_box;

    // Geometry, in the order of the set_sizes options.
    float area_h = 0;
    float area_w = 0;
    float top_m = 0;
    float head_y = 0;
    float bot_m = 0;
    float foot_off = 0;
    float left_m = 0;
    float right_m = 0;
    std::int16_t page_inc = 0;
    std::int32_t paper_col = 0;
    float zoom_factor = 1.0f;
    float prn_x_off = 0;  // unprintable offsets of the printer, taken off every position drawn there
    float prn_y_off = 0;
    float preview_scale = 1.0f;

    std::int16_t lpn = 0;
    std::int16_t apn = 0;
    std::int16_t page_flag_ = 1;

    PageState st;
    std::vector<Segment> segs_;

    BaseFont base;
    BaseFont defaults;  // the font the document gave the page; a composition's line height starts from it
    struct SavedFont {
        platform::TargetFont font;
        std::int32_t colour = 0;
    } saved;
    QString sym_font;
    QString ding_font;
    bool col_lock = false;

    std::function<QDate()> today_;
};

}  // namespace qid
