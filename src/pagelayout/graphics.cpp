// Pictures, boxes, header and footer lines, long dates and roman numerals.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QLocale>

#include "pagelayout/pp_page.h"
#include "platform/host.h"
#include "platform/messages.h"

namespace qid {

using platform::icon_critical;

namespace {

const QString graphic_title = QStringLiteral("GRAPHIC IMPORT ERROR");

// A single as text, to the seven digits a single holds.
QString single_text(float v)
{
    return QString::number(static_cast<double>(v), 'g', 7);
}

}  // namespace

void PPpage::add_graphic(const QString& g_path, float gw, float gh, float& hh, float& vv)
{
    const float room = area_h - st.cur_y - st.line_h;
    const std::optional<platform::Picture> picture = pic_box.load(g_path);
    if (!picture) {
        fail(platform::host().file_exists(g_path)
                 ? QStringLiteral("The graphic '") + g_path + QStringLiteral("' can't be loaded.")
                 : QStringLiteral("File '") + g_path + QStringLiteral("' doesn't exist."),
             graphic_title, icon_critical);
        return;
    }

    float w;
    if (gw == 0)
        w = picture->width;
    else if (gw >= -1 && gw < 0)
        w = -gw * area_w;
    else if (gw > 0)
        w = gw;
    else
        return fail(single_text(gw) + QStringLiteral(" is an unacceptable width."), graphic_title, icon_critical);
    if (w > area_w)
        return fail(QStringLiteral("The original graphic is too wide for the page."), graphic_title, icon_critical);

    float h;
    if (gh == 0)
        h = w * picture->height / picture->width;
    else if (gh >= -1 && gh < 0)
        h = -gh * area_h;
    else if (gh > 0)
        h = gh;
    else
        return fail(single_text(gh) + QStringLiteral(" is an unacceptable height."), graphic_title, icon_critical);
    if (h > room)
        return fail(QStringLiteral("The selected height is too tall for the page."), graphic_title, icon_critical);

    const float x = hh == -1 ? left_m + (area_w - w) / 2 : left_m + hh;
    const float y = vv == 0 ? st.cur_y + st.line_h : top_m + vv;
    target().paint_picture(picture->image, x, y, w, h);
    hh = x + w;
    st.cur_y = y + h + st.line_h;
    vv = st.cur_y;
}

void PPpage::add_box(float pd, float& hp, float x2, float y2)
{
    platform::DrawTarget& t = target();
    // One pixel per whole zoom step, at least one.
    const float zoom = std::isfinite(zoom_factor) ? std::clamp(zoom_factor, 1.0f, 100.0f) : 1.0f;
    t.set_draw_width(static_cast<int>(std::floor(zoom)));
    t.draw_box(hp, pd - y2, hp + x2, pd, 0);
    t.set_current(t.current_x(), pd);
    hp = t.current_x();
}

void PPpage::head_foot(int flg, const QString& ltx, const QString& ctx, const QString& rtx, const QString& f_nm,
                       float f_sz, bool f_mb)
{
    set_font(false, 3);
    const QString kept_name = base.f_name;
    const float kept_size = base.f_size;
    const bool kept_bold = base.f_bold;
    if (!f_nm.isEmpty())
        set_font(f_nm, 0);
    if (f_sz != 0)
        set_font(f_sz, 1);
    set_font(f_mb, 2);

    const float y = flg == 0 ? head_y : top_m + area_h + foot_off;
    const QString parts[3] = {ltx, ctx, rtx};
    for (int i = 0; i < 3; ++i) {
        const QString item = parts[i].toLower();
        QString printed = parts[i];
        if (item.isEmpty())
            printed.clear();
        else if (item == QLatin1String("sd"))
            printed = today_().toString(QStringLiteral("dd/MM/yy"));
        else if (item == QLatin1String("ld"))
            printed = super_date(today_(), true);
        else if (item == QLatin1String("pa"))
            printed = QStringLiteral("Page ") + QString::number(apn);
        else if (item == QLatin1String("pr"))
            printed = roman(apn);
        float p_d = y;
        float p_l = 0;
        add_f_text(printed, p_d, false, i, p_l, 0, 0);
    }

    if (!f_nm.isEmpty())
        set_font(kept_name, 0);
    if (f_sz != 0)
        set_font(kept_size, 1);
    set_font(kept_bold, 2);
    end_line();
    st.cur_y = top_m;
}

QString PPpage::super_date(const QDate& dt, bool f)
{
    if (!dt.isValid())
        return {};
    const int day = dt.day();
    static const char* const suffixes[] = {"th", "st", "nd", "rd"};
    const int last = day % 10;
    const QString suffix = QLatin1String((day / 10 == 1 || last > 3) ? suffixes[0] : suffixes[last]);
    const QString ordinal = f ? QStringLiteral("\\s/") + suffix + QStringLiteral("\\n/") : QStringLiteral(" ") + suffix;
    return QLocale(QLocale::English).monthName(dt.month()) + QStringLiteral(" ") + QString::number(day) + ordinal +
           QStringLiteral(", ") + QStringLiteral("%1").arg(dt.year(), 4, 10, QLatin1Char('0'));
}

QString PPpage::roman(int n)
{
    static const char* const symbols[3] = {"ivx", "xlc", "cdm"};
    long long rest = std::llabs(static_cast<long long>(n));
    QString numeral;
    for (const char* s : symbols) {
        const int d = static_cast<int>(rest % 10);
        rest /= 10;
        const QChar one = QLatin1Char(s[0]), five = QLatin1Char(s[1]), ten = QLatin1Char(s[2]);
        QString group;
        if (d <= 3)
            group = QString(d, one);
        else if (d == 4)
            group = QString(one) + five;
        else if (d <= 8)
            group = QString(five) + QString(d - 5, one);
        else
            group = QString(one) + ten;
        numeral.prepend(group);
    }
    return QString(static_cast<qsizetype>(rest), QLatin1Char('m')) + numeral;
}

}  // namespace qid
