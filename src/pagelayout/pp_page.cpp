// The page model (geometry, page numbers, target) and the page's fonts.
#include "pagelayout/pp_page.h"

#include <cmath>
#include <limits>

#include "platform/messages.h"
#include "core/numbers.h"
#include "core/shared.h"

namespace qid {

using platform::icon_critical;
using platform::icon_information;
using platform::TargetFont;

namespace {

std::int32_t to_int32(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = round_half_even(v);
    if (r <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (r >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

const QString range_13 = QStringLiteral("Options must be in the range 0 to 13");
const QString range_7 = QStringLiteral("Options must be in the range 0 to 7");
const QString font_data_title = QStringLiteral("'font_data' ERROR");

}  // namespace

void PPpage::fail(const QString& text, const QString& title, int icon)
{
    platform::system_message(text, title, icon);
    page_err = true;
}

PPpage::PPpage(platform::DrawTarget& printer_target, platform::DrawTarget& surface_target,
               platform::PictureBox& pictures)
    : printer(printer_target),
      paper(printer_target),
      default_surface(surface_target),
      surface(&surface_target),
      pic_box(pictures),
      sym_font(QStringLiteral("Symbol")),
      ding_font(QStringLiteral("WingDings")),
      today_([] { return QDate::currentDate(); })
{
    st.line_h = printer.text_height(QStringLiteral("I"));
    st.text_h = st.line_h;
    st.space_w = printer.text_width(QStringLiteral(" "));
}

// ---- Page model ---------------------------------------------------------------

void PPpage::set_sizes(std::int16_t opt, double vlu)
{
    const float v = static_cast<float>(vlu);
    switch (opt) {
    case 0: area_h = v; break;
    case 1: area_w = v; break;
    case 2: top_m = v; break;
    case 3: head_y = v; break;
    case 4: bot_m = v; break;
    case 5: foot_off = v; break;
    case 6: left_m = v; break;
    case 7: right_m = v; break;
    case 8: page_inc = clamp_int16(round_half_even(vlu)); break;
    case 9: paper_col = to_int32(vlu); break;
    case 10: zoom_factor = v; break;
    case 11:
        prn_x_off = v;
        paper.set_offsets(prn_x_off, prn_y_off);
        break;
    case 12:
        prn_y_off = v;
        paper.set_offsets(prn_x_off, prn_y_off);
        break;
    case 13: preview_scale = v; break;
    default: fail(range_13, QStringLiteral("'Set_sizes' ERROR"), icon_critical);
    }
}

QVariant PPpage::page_data(std::int16_t opt)
{
    switch (opt) {
    case 0: return area_h;
    case 1: return area_w;
    case 2: return top_m;
    case 3: return head_y;
    case 4: return bot_m;
    case 5: return foot_off;
    case 6: return left_m;
    case 7: return right_m;
    case 8: return QVariant::fromValue(page_inc);
    case 9: return QVariant::fromValue(paper_col);
    case 10: return zoom_factor;
    case 11: return prn_x_off;
    case 12: return prn_y_off;
    case 13: return preview_scale;
    default:
        fail(range_13, QStringLiteral("'PPpage:page_data' ERROR"), icon_critical);
        return {};
    }
}

void PPpage::page_numbers(std::int16_t l, std::int16_t a)
{
    lpn = l;
    apn = a == 0 ? l : a;
}

QVariant PPpage::page_number(std::int16_t opt) const
{
    if (opt == 0)
        return QVariant::fromValue(lpn);
    if (opt == 1)
        return QVariant::fromValue(apn);
    return {};
}

void PPpage::set_pp(std::int16_t ppf)
{
    // Leave the previous target: whatever is still pending on the printer is
    // discarded, a surface starts blank.
    if (page_flag_ == 0)
        printer.abandon_doc();
    else
        surface->clear();
    page_flag_ = ppf;
    // The line height starts afresh, from the page's own font, so that every
    // composition of the page places its lines the same way.
    printer.set_font(target_font(defaults));
    st.line_h = printer.text_height(QStringLiteral("I"));
    apply_font();
    st.cur_y = top_m;
}

void PPpage::set_zoom(float zmf)
{
    zoom_factor = page_flag_ == 1 ? zmf : 1.0f;
}

void PPpage::set_object(platform::DrawTarget* obj)
{
    surface = obj ? obj : &default_surface;
}

void PPpage::set_p_col(std::int32_t& p_c)
{
    if (p_c == 0)
        p_c = paper_col;
    surface->set_back_color(p_c);
}

void PPpage::set_align(double a_v)
{
    if (a_v >= 0 && a_v <= 3)
        st.align = static_cast<std::int16_t>(round_half_even(a_v));
    else
        fail(QStringLiteral("Alignment codes must be in the range 0 to 3"), QStringLiteral("ALIGNMENT ERROR"),
             icon_information);
}

float PPpage::end_line()
{
    platform::DrawTarget& t = target();
    t.print_line();
    st.cur_y = t.current_y();
    return st.cur_y;
}

void PPpage::terminate(float& pd)
{
    pd = end_line();
}

// ---- Fonts ----------------------------------------------------------------------

void PPpage::set_colours(std::int32_t rgb)
{
    printer.set_fore_color(rgb);
    surface->set_fore_color(rgb);
}

void PPpage::set_target_fonts(const std::function<void(TargetFont&)>& change)
{
    TargetFont p = printer.font();
    change(p);
    printer.set_font(p);
    TargetFont s = surface->font();
    change(s);
    surface->set_font(s);
}

void PPpage::measure_font()
{
    st.text_h = printer.text_height(QStringLiteral("I"));
    st.space_w = printer.text_width(QStringLiteral(" "));
}

TargetFont PPpage::target_font(const BaseFont& b) const
{
    bool digits = false;
    const int weight = b.f_weight.toInt(&digits);
    TargetFont f;
    f.name = b.f_name;
    f.size = b.f_size;
    f.bold = b.f_bold;
    f.italic = b.f_italic;
    f.underline = b.f_under;
    f.strikethrough = b.f_strike;
    f.weight = digits ? weight : (b.f_bold ? 700 : 400);
    return f;
}

void PPpage::apply_font()
{
    TargetFont f = target_font(base);
    printer.set_font(f);
    measure_font();
    f.size = surface_size(base.f_size);
    surface->set_font(f);
    if (!col_lock)
        set_colours(base.f_col);
}

void PPpage::reset_font()
{
    apply_font();
    if (st.shifted)
        st.cur_y = st.base_y;
    st.shifted = false;
}

void PPpage::save_font()
{
    saved.font = printer.font();
    saved.colour = printer.fore_color();
}

void PPpage::restore_font()
{
    TargetFont f = saved.font;
    // Setting the bold flag of a font sets its weight as well.
    f.weight = f.bold ? 700 : 400;
    printer.set_font(f);
    f.size = surface_size(f.size);
    surface->set_font(f);
    set_colours(saved.colour);
}

void PPpage::font_defaults(const std::array<QVariant, 8>& f_ar)
{
    base.f_name = f_ar[0].toString();
    base.f_size = f_ar[1].toFloat();
    base.f_bold = f_ar[2].toBool();
    base.f_italic = f_ar[3].toBool();
    base.f_under = f_ar[4].toBool();
    base.f_strike = f_ar[5].toBool();
    base.f_col = to_int32(f_ar[6].toDouble());
    base.f_weight = f_ar[7].toString();
    defaults = base;
    set_colours(base.f_col);
}

void PPpage::font(const QString& fnm, float fpt, std::optional<bool> fb, std::optional<bool> fi,
                  std::optional<bool> fu, std::optional<bool> fs, std::optional<std::int32_t> fc,
                  std::optional<std::int16_t> fw)
{
    if (!fnm.isEmpty())
        base.f_name = fnm;
    if (fpt > 4)
        base.f_size = fpt;
    if (fb) {
        base.f_bold = *fb;
        base.f_weight = *fb ? QStringLiteral("700") : QStringLiteral("400");
    }
    if (fi)
        base.f_italic = *fi;
    if (fu)
        base.f_under = *fu;
    if (fs)
        base.f_strike = *fs;
    if (fc) {
        base.f_col = *fc;
        set_colours(*fc);
    }
    if (fw) {
        base.f_weight = QString::number(*fw);
        base.f_bold = *fw >= 401;
    }
    apply_font();
}

QVariant PPpage::font_data(std::int16_t opt)
{
    switch (opt) {
    case 0: return base.f_name;
    case 1: return base.f_size;
    case 2: return base.f_bold;
    case 3: return base.f_italic;
    case 4: return base.f_under;
    case 5: return base.f_strike;
    case 6: return QVariant::fromValue(base.f_col);
    case 7: return base.f_weight;
    default:
        fail(range_7, font_data_title, icon_critical);
        return {};
    }
}

void PPpage::set_font(const QVariant& itm, std::int16_t opt)
{
    switch (opt) {
    case 0:
        base.f_name = itm.toString();
        set_target_fonts([&](TargetFont& f) { f.name = base.f_name; });
        break;
    case 1: {
        base.f_size = itm.toFloat();
        TargetFont p = printer.font();
        p.size = base.f_size;
        printer.set_font(p);
        TargetFont s = surface->font();
        s.size = surface_size(base.f_size);
        surface->set_font(s);
        break;
    }
    case 2:
        base.f_bold = itm.toBool();
        base.f_weight = base.f_bold ? QStringLiteral("700") : QStringLiteral("400");
        set_target_fonts([&](TargetFont& f) {
            f.bold = base.f_bold;
            f.weight = base.f_bold ? 700 : 400;
        });
        break;
    case 3:
        base.f_italic = itm.toBool();
        set_target_fonts([&](TargetFont& f) { f.italic = base.f_italic; });
        break;
    case 4:
        base.f_under = itm.toBool();
        set_target_fonts([&](TargetFont& f) { f.underline = base.f_under; });
        break;
    case 5:
        base.f_strike = itm.toBool();
        set_target_fonts([&](TargetFont& f) { f.strikethrough = base.f_strike; });
        break;
    case 6:
        base.f_col = to_int32(itm.toDouble());
        set_colours(base.f_col);
        break;
    case 7: {
        const std::int16_t w = clamp_int16(round_half_even(itm.toDouble()));
        base.f_weight = QString::number(w);
        base.f_bold = w >= 401;
        set_target_fonts([&](TargetFont& f) {
            f.bold = base.f_bold;
            f.weight = w;
        });
        break;
    }
    default: fail(range_7, font_data_title, icon_critical);
    }
}

}  // namespace qid
