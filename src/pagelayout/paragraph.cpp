// Paragraph layout: add_text draws one string as it is; add_f_text breaks a
// paragraph with format codes into lines at spaces, aligns or justifies each
// line and can leave the last one open for the next paragraph.
//
// Each line is first measured (on the printer: that decides the break) and
// then drawn on the current target from the same starting state, in runs of
// characters that share a font and a baseline. The next line is measured
// before the move down to it, so the move can make room for its tallest text.
#include <cmath>

#include "pagelayout/pp_page.h"
#include "platform/messages.h"
#include "core/shared.h"

namespace qid {

using platform::icon_critical;

namespace {

const QChar space = QLatin1Char(' ');

// Length of the character at i: a surrogate pair is one character.
int char_len(const QString& s, int i)
{
    return s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

}  // namespace

// What measuring a line decided.
struct PPpage::Measured {
    Pos end;           // the line draws the characters before this position
    float pen_p = 0;   // printer pen after the line's last character
    float pen_s = 0;   // surface pen after it
    int spaces = 0;    // spaces between the words of the line
    bool last = false; // nothing but spaces follows: the paragraph's last line
    bool fits = true;  // false: a partial line has no room for its first word
    float tallest = 0; // how far the line's text reaches above its baseline, on the target
};

bool PPpage::at_end(const Pos& p) const
{
    return p.seg >= seg_last() && p.ch >= segs_[static_cast<std::size_t>(p.seg)].text.size();
}

bool PPpage::blank_from(Pos p) const
{
    for (; p.seg <= seg_last(); ++p.seg, p.ch = 0) {
        const QString& t = segs_[static_cast<std::size_t>(p.seg)].text;
        for (int i = p.ch; i < t.size(); ++i)
            if (t[i] != space)
                return false;
    }
    return true;
}

// Past the end of a segment's text: on to the next segment, applying its codes.
void PPpage::enter_text(Pos& p)
{
    while (p.seg < seg_last() && p.ch >= segs_[static_cast<std::size_t>(p.seg)].text.size()) {
        ++p.seg;
        p.ch = 0;
        const Segment& s = segs_[static_cast<std::size_t>(p.seg)];
        if (s.has_group)
            apply_codes(s.code);
    }
}

// Spaces at the start of a line are not drawn, in whichever segment they are.
void PPpage::skip_spaces(Pos& p)
{
    for (;;) {
        const QString& t = segs_[static_cast<std::size_t>(p.seg)].text;
        while (p.ch < t.size() && t[p.ch] == space)
            ++p.ch;
        if (p.ch < t.size() || p.seg >= seg_last())
            return;
        enter_text(p);
    }
}

PPpage::LineStart PPpage::line_start(const Pos& pos) const
{
    return {pos, st};
}

// Back to the state the line started in: font, baseline shift, overstrike and
// the measured heights, so that drawing repeats what measuring saw.
void PPpage::restore_line(const LineStart& start)
{
    restore_state(start);
    restore_font();
}

void PPpage::restore_state(const LineStart& start)
{
    st.cur_y = start.st.cur_y;
    st.shifted = start.st.shifted;
    st.base_y = start.st.base_y;
    st.shift_by = start.st.shift_by;
    st.cur_ch = start.st.cur_ch;
    st.ovr_w = start.st.ovr_w;
    st.ovr_on = start.st.ovr_on;
    st.text_h = start.st.text_h;
    st.space_w = start.st.space_w;
}

// How far text in the font in force reaches above the line's baseline on the target.
float PPpage::text_extent()
{
    const float raise = st.shifted ? st.base_y - st.cur_y : 0;
    return target().text_height(QString()) + raise;
}

PPpage::Measured PPpage::measure_line(const LineStart& start, float indent)
{
    restore_line(start);
    Pos p = start.pos;
    const Segment& first = segs_[static_cast<std::size_t>(p.seg)];
    if (p.ch == 0 && first.has_group)
        apply_codes(first.code);
    skip_spaces(p);

    float pp = left_m + indent + st.part_x;
    float ps = pp;
    Measured at_space;  // break at the last space met
    bool space_met = false;
    Measured fitting;   // break after the last character within the limit
    Measured whole;     // everything up to the last non-space character
    whole.end = fitting.end = p;
    whole.pen_p = fitting.pen_p = pp;
    whole.pen_s = fitting.pen_s = ps;
    int spaces = 0;
    bool measured = false;
    float extent = text_extent();
    float tallest = 0;

    while (!at_end(p) && !(measured && pp > st.right_lim)) {
        const QString& t = segs_[static_cast<std::size_t>(p.seg)].text;
        const QStringView ch = QStringView(t).mid(p.ch, char_len(t, p.ch));
        const bool is_space = ch.size() == 1 && ch[0] == space;
        if (is_space) {
            at_space = whole;
            space_met = true;
            ++spaces;
        }
        if (!st.ovr_on) {
            pp += printer.char_width(ch);
            ps += surface->char_width(ch);
        }
        st.ovr_on = false;
        tallest = std::max(tallest, extent);
        p.ch += static_cast<int>(ch.size());
        if (!is_space) {
            whole = {p, pp, ps, spaces, false, true, tallest};
            if (pp <= st.right_lim || !measured)
                fitting = whole;
            measured = true;
        }
        if (p.ch >= t.size() && p.seg < seg_last()) {
            st.cur_ch = ch.toString();  // the K code overstrikes the character just passed
            enter_text(p);
            extent = text_extent();
        }
    }

    if (whole.pen_p <= st.right_lim && blank_from(whole.end)) {
        whole.last = true;
        return whole;
    }
    if (space_met)
        return at_space;
    if (st.part_x > 0) {
        Measured no_room;
        no_room.fits = false;
        return no_room;
    }
    // A word wider than the whole line is broken at the limit.
    fitting.last = blank_from(fitting.end);
    return fitting;
}

float PPpage::line_start_x(int a, float indent, float width, float partial)
{
    page_err = false;
    if ((a == 1 || a == 2) && partial > 0) {
        fail(QStringLiteral("You can't have a partial line with CENTRE or RIGHT alingments."),
             QStringLiteral("ALIGNMENT ERROR"), icon_critical);
        return 0;
    }
    // Centred and right lines keep to the right limit, which a negative indent
    // moves in from the edge of the text area as it moves the left side.
    const float room = st.right_lim - left_m;
    if (a == 1)
        return left_m + indent + (room - width) / 2;
    if (a == 2)
        return left_m + indent + room - width;
    return partial > 0 ? left_m + partial + st.space_w : left_m + indent;
}

void PPpage::draw_piece(float& pen, float vp)
{
    platform::DrawTarget& t = target();
    float x = pen;
    if (st.ovr_on)
        x = pen - (printer.text_width(st.cur_ch) + st.ovr_w) / 2;
    t.set_current(x, st.cur_y + vp);
    t.print_text(st.cur_ch);
    if (!st.ovr_on)
        pen = t.current_x();
    st.ovr_on = false;
}

// Returns the lowest running Y the line drew text on.
float PPpage::draw_line(const LineStart& start, const Measured& m, int alg, float indent, float vp)
{
    restore_line(start);
    // A centred or right-aligned line starts where it starts on paper, as a
    // single line does; a justified one ends at the limit on either target.
    const float pen_t = page_flag_ == 0 ? m.pen_p : m.pen_s;
    float pen = line_start_x(alg, indent, m.pen_p - left_m, st.part_x);
    float just = 0;
    if (alg == 3 && !m.last)
        just = m.spaces > 0 ? (st.right_lim - pen_t) / static_cast<float>(m.spaces) : st.right_lim - pen_t;
    if (st.part_x > 0)
        pen += just - st.space_w;

    Pos p = start.pos;
    const Segment& first = segs_[static_cast<std::size_t>(p.seg)];
    if (p.ch == 0 && first.has_group)
        apply_codes(first.code);
    skip_spaces(p);
    if (page_flag_ == 0)
        st.old_bk = printer.set_transparent();

    platform::DrawTarget& t = target();
    float lowest = st.cur_y;
    while (p < m.end) {
        const QString& text = segs_[static_cast<std::size_t>(p.seg)].text;
        if (p.ch >= text.size()) {
            ++p.seg;
            p.ch = 0;
            const Segment& s = segs_[static_cast<std::size_t>(p.seg)];
            if (p < m.end && s.has_group)
                apply_codes(s.code);
            continue;
        }
        lowest = std::max(lowest, st.cur_y);
        if (st.ovr_on) {  // centred over the previous character, alone
            st.cur_ch = text.mid(p.ch, char_len(text, p.ch));
            if (alg == 3 && st.cur_ch == QString(space))
                pen += just;
            draw_piece(pen, vp);
            p.ch += static_cast<int>(st.cur_ch.size());
            continue;
        }
        // The rest of the segment on this line, in one run.
        const int stop = p.seg == m.end.seg ? m.end.ch : static_cast<int>(text.size());
        t.set_current(pen, st.cur_y + vp);
        t.print_run(QStringView(text).mid(p.ch, stop - p.ch), alg == 3 ? just : 0);
        pen = t.current_x();
        const int last = stop - (stop >= 2 && char_len(text, stop - 2) == 2 ? 2 : 1);
        st.cur_ch = text.mid(last, stop - last);
        p.ch = stop;
    }
    // Groups after the last character still take effect ("\b/word\n/" ends in the base font).
    while (m.last && p.seg < seg_last()) {
        const Segment& s = segs_[static_cast<std::size_t>(++p.seg)];
        if (s.has_group)
            apply_codes(s.code);
    }
    return lowest;
}

// Ends a line of a paragraph: the next one stands one text height of the font
// in force lower, counted from this line's baseline even while its text is
// raised or lowered, or lower still when its own text (tallest: how far it
// reaches above its baseline) is taller. A raised or lowered text goes on at
// the same height above the new baseline.
void PPpage::line_feed(float tallest, float vp)
{
    platform::DrawTarget& t = target();
    const float shift = st.shifted ? st.cur_y - st.base_y : 0;
    // From the line's own baseline, also when nothing was drawn on it.
    t.set_current(t.current_x(), (st.shifted ? st.base_y : st.cur_y) + vp);
    if (tallest > t.text_height(QString()))
        t.set_current(0, t.current_y() + tallest);
    else
        t.print_line();
    st.cur_y = t.current_y();
    if (st.shifted) {
        st.base_y = st.cur_y;
        st.cur_y += shift;
    }
}

void PPpage::add_f_text(const QString& tx, float& p_d, bool tm, int alg, float& p_l, float vp, float h_p)
{
    printer.align_text_bottom();
    surface->align_text_bottom();
    if (alg > 3 || alg < -1)
        fail(QStringLiteral("Alignment codes must be 0, 1, 2 or 3"), QStringLiteral("'add_f_text' ERROR"),
             icon_critical);
    if (page_err)
        return;

    const float indent = std::fabs(h_p);
    reset_font();
    save_font();
    st.ovr_on = false;  // an overstrike left at the end of the last call ends with it
    if (alg == -1)
        alg = st.align;
    st.cur_y = p_d != 0 ? p_d + vp : st.cur_y + vp;
    st.part_x = vp == 0 ? p_l : 0;
    st.right_lim = left_m + area_w - (h_p < 0 ? indent : 0);
    if (st.right_lim - st.part_x < left_m + indent) {
        end_line();
        st.part_x = 0;
    }
    split_codes(tx);

    LineStart start = line_start({0, 0});
    Measured m = measure_line(start, indent);
    if (!m.fits) {
        // No room left on the open line: start the paragraph on a new one.
        st.part_x = 0;
        m = measure_line(start, indent);
        restore_line(start);
        line_feed(m.tallest, vp);
        start = line_start(start.pos);
    }
    for (;;) {
        // Text drawn below the line's end (lowered, then back) counts where it was drawn.
        const float lowest = draw_line(start, m, alg, indent, vp);
        if (std::max(lowest, st.cur_y) > top_m + area_h + foot_off) {
            // Said, but page_err is left clear: the page itself is sound and may still be output.
            platform::system_message(QStringLiteral("The text is longer than a PAGE."),
                                     QStringLiteral("'add_f_text' ERROR"), icon_critical);
            p_l = 0;
            p_d = st.cur_y;
            return;
        }
        st.part_x = 0;
        save_font();
        if (m.last)
            break;
        // Measure the next line first, then move down to it from where this
        // line ended, in the fonts it ended in.
        const LineStart end = line_start(m.end);
        const platform::TargetFont end_fonts[2] = {printer.font(), surface->font()};
        m = measure_line(end, indent);
        restore_state(end);
        printer.set_font(end_fonts[0]);
        surface->set_font(end_fonts[1]);
        line_feed(m.tallest, vp);
        start = line_start(end.pos);
    }
    if (tm) {
        line_feed(0, vp);
        p_l = 0;
    } else {
        p_l = (m.pen_p - left_m) + 2 * st.space_w;
    }
    st.cur_y += vp;
    p_d = st.cur_y;
}

void PPpage::add_text(const QString& tx, float& hp, bool tm, float& p_d, int alg, float vp)
{
    printer.align_text_bottom();
    surface->align_text_bottom();
    const float w = printer.text_width(tx);
    st.cur_y = p_d;
    if (alg == -1)
        alg = st.align == 3 ? 0 : st.align;
    if (!tm)
        alg = 0;
    if (page_err)
        return;

    float x = hp;
    if (hp == 0) {
        switch (alg) {
        case 0: x = left_m; break;
        case 1: x = left_m + (area_w - w) / 2; break;
        case 2: x = left_m + area_w - w; break;
        default:
            fail(QStringLiteral("Alignment codes must be 0, 1 or 2"), QStringLiteral("'add_text' ERROR"),
                 icon_critical);
            p_d = st.cur_y;
            return;
        }
    }
    platform::DrawTarget& t = target();
    if (page_flag_ == 0)
        st.old_bk = printer.set_transparent();
    t.set_current(x, st.cur_y + vp);
    t.print_text(tx);
    if (tm)
        end_line();
    else
        hp = t.current_x();
    p_d = st.cur_y;
}

}  // namespace qid
