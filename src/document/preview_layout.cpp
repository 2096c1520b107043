// The document's side of the preview window: its layout in twips, the zoom
// and the three scroll bars. Whenever the view changes, the page is composed
// again at the new zoom.
#include <algorithm>
#include <cmath>

#include <QScrollBar>

#include "document/pp_pages.h"
#include "document/preview.h"
#include "document/printer_sheet.h"
#include "platform/host.h"
#include "core/numbers.h"

namespace qid {

namespace {

constexpr int max_steps = 32767;

int whole(double v)
{
    return static_cast<int>(std::floor(v));
}

int rounded(double v)
{
    return static_cast<int>(round_half_even(v));
}

}  // namespace

void PPpages::size_preview()
{
    const QSizeF page = sheet_->page_twips();
    aspect = static_cast<float>(page.height() / page.width());
    if (orientation != 1) {
        view_.frame_w = view_.screen_w - 1000;
        view_.frame_h = rounded(view_.frame_w * aspect);
    } else {
        view_.frame_h = view_.screen_h - 1400;
        view_.frame_w = rounded(view_.frame_h / aspect);
    }
    layout_preview();
}

void PPpages::layout_preview()
{
    view_.win_h = view_.bar_size + view_.frame_h;
    view_.win_w = view_.bar_size + view_.frame_w;
    view_.win_top = 200;
    view_.win_left = (view_.screen_w - view_.frame_w) / 2;
    view_.frame_w = view_.frame_h / aspect;
    set_surface(1.0);
    window_->set_surface_cursor(false);
    arrange();
}

// The surface at factor times the frame, from the frame's top left corner,
// scaled so that it always pictures the whole sheet.
void PPpages::set_surface(double factor)
{
    view_.surface_h = view_.frame_h * factor;
    view_.surface_w = view_.frame_w * factor;
    view_.surface_top = 0;
    view_.surface_left = 0;
    const double pixels_per_unit =
        preview_scale * factor * platform::SurfaceTarget::font_dpi * twips_per_unit / 1440.0;
    window_->surface().resize(QSizeF(paper_w, paper_h), pixels_per_unit);
}

void PPpages::arrange()
{
    window_->arrange(view_);
}

void PPpages::zoom()
{
    const bool was_zoomed = view_.zoomed;
    view_.zoom_level = static_cast<std::int16_t>(view_.zoom_level + view_.zoom_step);
    if (view_.zoom_level < 0) {
        view_.zoom_level = 0;
        window_->set_surface_cursor(false);
        view_.zoom_step = 1;
    } else if (view_.zoom_level > 10) {
        view_.zoom_level = 10;
        window_->set_surface_cursor(true);
        view_.zoom_step = -1;
    }
    view_.zoom_factor = static_cast<float>(1 + 0.2 * view_.zoom_level);
    view_.zoomed = view_.zoom_level != 0;
    if (view_.zoomed)
        zoomed_layout(was_zoomed);
    else
        normal_layout(was_zoomed);
}

// A step from the keyboard or the wheel: in or out within 100 to 300 %,
// turning nothing; the clicks keep their direction.
void PPpages::step_zoom(int direction)
{
    const int level = view_.zoom_level + direction;
    if (level < 0 || level > 10)
        return;
    const std::int16_t clicks = view_.zoom_step;
    view_.zoom_step = static_cast<std::int16_t>(direction);
    zoom();
    view_.zoom_step = clicks;
}

void PPpages::switch_zoom()
{
    view_.zoom_step = static_cast<std::int16_t>(-view_.zoom_step);
    window_->set_surface_cursor(view_.zoom_step == -1);
}

void PPpages::zoomed_layout(bool was_zoomed)
{
    if (view_.v_hidden)
        show_v_bar();
    set_surface(view_.zoom_factor);
    if (!was_zoomed)
        view_.win_h += view_.bar_size;
    arrange();
    set_h_bar();
    set_v_bar((current_page - first_page) * whole(static_cast<double>(max_steps) / std::max<int>(1, page_count)));
    compose(1, view_.zoom_factor, current_page);
}

// Back to the page at 100 %, the window without the horizontal bar.
void PPpages::unzoom(bool was_zoomed)
{
    view_.zoom_factor = 1.0f;
    set_surface(1.0);
    if (was_zoomed)
        view_.win_h -= view_.bar_size;
    view_.zoomed = false;
    window_->set_surface_cursor(false);
}

void PPpages::normal_layout(bool was_zoomed)
{
    unzoom(was_zoomed);
    if (page_count == 1)
        hide_v_bar();
    else
        set_v_bar((current_page - first_page) * 10);
    arrange();
    compose(1, view_.zoom_factor, current_page);
}

int PPpages::page_steps() const
{
    return view_.zoomed ? whole(static_cast<double>(max_steps) / std::max<int>(1, page_count)) : 10;
}

void PPpages::set_v_bar(int value)
{
    view_.bar_busy = true;
    QScrollBar* bar = window_->FlatScrollBar(1);
    const int count = std::max<int>(1, page_count);
    if (view_.zoomed) {
        view_.steps_per_page = whole(static_cast<double>(max_steps) / count);
        view_.overhang = rounded(view_.surface_h - view_.frame_h);
        const int max = count * view_.steps_per_page - 3;
        bar->setRange(0, max);
        bar->setPageStep(whole(static_cast<double>(max) / count));
        const double small = view_.steps_per_page / 100.0;
        bar->setSingleStep(small > 1 ? rounded(small) : 1);
    } else {
        view_.overhang = 0;
        view_.steps_per_page = 10;
        bar->setRange(0, (count - 1) * 10);
        bar->setPageStep(10);
        bar->setSingleStep(10);
    }
    bar->setValue(value);
    view_.last_v = value;
    view_.bar_busy = false;
}

void PPpages::change_v_bar(int vpp, std::int16_t& npn)
{
    if (view_.bar_busy)
        return;
    preview::set_arrows(vpp, window_->FlatScrollBar(1));
    const int page = first_page + page_inc * (vpp / std::max(1, view_.steps_per_page));
    const int last = view_.last_v;
    view_.last_v = vpp;
    if (page != current_page) {
        current_page = npn = static_cast<std::int16_t>(page);
        // Forward, the new page shows from its top; back, from its bottom.
        view_.surface_top = vpp > last ? 0 : -view_.overhang;
        compose(1, view_.zoom_factor, current_page);
    } else if (view_.zoomed) {
        const int position = vpp - (current_page - first_page) * view_.steps_per_page;
        const int span = std::max(1, view_.steps_per_page - 1);
        view_.surface_top = -rounded(static_cast<double>(position) * view_.overhang / span);
    }
    arrange();
}

void PPpages::hide_v_bar()
{
    view_.v_hidden = true;
    view_.win_w = view_.frame_w;
}

void PPpages::show_v_bar()
{
    view_.v_hidden = false;
    view_.win_w = view_.frame_w + view_.bar_size;
}

void PPpages::set_h_bar()
{
    QScrollBar* bar = window_->FlatScrollBar(2);
    const QSignalBlocker quiet(bar);
    const int max = rounded(view_.surface_w - view_.frame_w);
    bar->setRange(0, max);
    bar->setSingleStep(whole(max / 10.0));
    bar->setPageStep(whole(max / 5.0));
    bar->setValue(0);
    view_.surface_left = 0;
    preview::set_arrows(0, bar);
}

void PPpages::change_h_bar(int hpp)
{
    preview::set_arrows(hpp, window_->FlatScrollBar(2));
    view_.surface_left = -hpp;
    arrange();
}

void PPpages::show_preview()
{
    if (page_count == 1 && !view_.zoomed)
        hide_v_bar();
    else if (view_.v_hidden)
        show_v_bar();
    // After the page bar moved, the vertical bar follows to the page's top.
    const int shown = first_page + page_inc * (view_.last_v / std::max(1, view_.steps_per_page));
    if (shown != current_page && !view_.v_hidden) {
        set_v_bar((current_page - first_page) * page_steps());
        view_.surface_top = 0;
    }
    window_->set_page_num(current_page);
    window_->set_bar_range(page_count, 1, current_page);
    arrange();
    window_->set_zoom_caption(QString::number(view_.zoom_factor * 100.0f, 'g', 7) + QStringLiteral("%"));
    window_->repaint_surface();
    window_->show_at(view_);
}

void PPpages::close_preview()
{
    window_->hide();
}

void PPpages::preview_closed()
{
    if (view_.zoom_level == 0 && !view_.zoomed)
        return;
    view_.zoom_level = 0;
    view_.zoom_step = 1;
    unzoom(view_.zoomed);
    arrange();
}

}  // namespace qid
