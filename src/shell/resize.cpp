#include "shell/resize.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

#include "platform/control_style.h"
#include "platform/host.h"
#include "platform/image_button.h"
#include "platform/qt_control.h"
#include "core/numbers.h"

namespace qid {

namespace resize {
std::int32_t screen_w = 0;
std::int32_t screen_h = 0;
double scale_x = 1.0;
double scale_y = 1.0;
std::vector<ctl_geom> layout;
std::int16_t layout_count = 0;
}  // namespace resize

namespace {

constexpr double design_width = 19200.0;
constexpr double design_height = 13900.0;
// The strip left free at the bottom of the screen, in design twips.
constexpr double bottom_strip = 500.0;

// The font factor of a 1920 x 1080 screen at 96 DPI. The writing there suits
// the style's own tick boxes, option buttons and scroll bars; on larger
// screens they grow with the writing, on smaller ones they keep that size.
constexpr double full_hd_font_factor = (16200.0 - 28800.0 / design_width * bottom_strip) / design_height;

// The image buttons and the background picture: moved, never stretched.
bool is_picture(const FittedWindow& window, const platform::QtControl& c)
{
    return qobject_cast<const platform::ImageButton*>(c.widget()) != nullptr || c.widget() == window.background;
}

int scaled(int design, double factor)
{
    return static_cast<int>(round_half_even(design * factor));
}

platform::QtControl* find(const FittedWindow& window, const ctl_geom& e)
{
    for (const auto& c : window.controls)
        if (c->name() == e.name && c->index() == e.index)
            return c.get();
    return nullptr;
}

// The height of the menu bar at the window's width, known before it is shown.
int menu_height(const FittedWindow& window)
{
    const QMenuBar* bar = window.window.menuBar();
    const int h = bar->heightForWidth(window.window.width());
    return h >= 0 ? h : bar->sizeHint().height();
}

// The vertical factor the controls can take. The title bar, the borders and
// the menu bar keep their size whatever the screen, so on a screen that is
// short for its width the bottom row of controls would fall below the client
// area at scale_y; the factor is then lowered just enough to keep every
// control of the design surface inside it. The background picture may run
// past the edge, as it does on the design surface.
double fitting_scale_y(const FittedWindow& window)
{
    const double room = platform::pixels_to_twips(window.window.height() - menu_height(window));
    double factor = resize::scale_y;
    for (int k = 0; k < resize::layout_count; ++k) {
        const ctl_geom& e = resize::layout[static_cast<std::size_t>(k)];
        const platform::QtControl* c = find(window, e);
        if (!c || c->widget()->parentWidget() != &window.surface || c->widget() == window.background)
            continue;
        if (!is_picture(window, *c))
            factor = std::min(factor, room / std::max(1, e.top + e.height));
        else if (e.top > 0)
            factor = std::min(factor, (room - c->geometry().height) / e.top);
    }
    return factor > 0 ? factor : resize::scale_y;
}

// The frame a window manager puts round the window is known only once the
// window is on screen. Until then the window is sized as if it had none;
// when the frame appears, the window is sized again so that frame and all
// take the given size, the frame (and so the title bar) goes to the top left
// corner of the screen, and the controls are fitted to the client area left.
class FrameFit final : public QObject {
public:
    FrameFit(const FittedWindow& fitted, const QSize& outer)
        : QObject(&fitted.window), fitted_(fitted), window_(fitted.window), outer_(outer)
    {
    }

    // True when the window already has its frame and is now settled.
    bool apply()
    {
        const QRect frame = window_.frameGeometry();
        const QRect client = window_.geometry();
        const QMargins m(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                         frame.bottom() - client.bottom());
        window_.resize(std::max(1, outer_.width() - m.left() - m.right()),
                       std::max(1, outer_.height() - m.top() - m.bottom()));
        window_.move(0, 0);
        return !m.isNull();
    }

    void wait_for_frame() { window_.installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::WindowActivate:
            break;
        default:
            return false;
        }
        if (window_.frameGeometry() == window_.geometry())
            return false;
        window_.removeEventFilter(this);
        apply();
        scale_controls(fitted_);
        deleteLater();
        return false;
    }

private:
    FittedWindow fitted_;
    QMainWindow& window_;
    QSize outer_;
};

// Controls that follow one another on a line of the design, each starting
// where the one before ends (the credit labels, which size themselves to
// their text), go on doing so: their fonts may grow less than the line.
void keep_lines(const FittedWindow& window)
{
    for (int k = 1; k < resize::layout_count; ++k) {
        const ctl_geom& a = resize::layout[static_cast<std::size_t>(k - 1)];
        const ctl_geom& b = resize::layout[static_cast<std::size_t>(k)];
        if (b.top != a.top || b.left != a.left + a.width)
            continue;
        const platform::QtControl* first = find(window, a);
        platform::QtControl* next = find(window, b);
        if (!first || !next || first->widget()->parentWidget() != next->widget()->parentWidget())
            continue;
        platform::Twips g = next->geometry();
        g.left = first->geometry().left + first->geometry().width;
        next->set_geometry(g);
    }
}

}  // namespace

void save_layout(const FittedWindow& window)
{
    using namespace resize;
    const platform::ScreenTwips screen = platform::host().screen();
    screen_h = screen.height;
    screen_w = screen.width;
    scale_x = screen_w / design_width;
    screen_h = static_cast<std::int32_t>(round_half_even(screen_h - scale_x * bottom_strip));
    scale_y = screen_h / design_height;

    layout.assign(window.controls.size(), ctl_geom{});
    layout_count = 0;
    for (const auto& c : window.controls) {
        const platform::Twips g = c->geometry();
        ctl_geom& e = layout[static_cast<std::size_t>(layout_count)];
        e.index = clamp_int16(c->index());
        e.name = c->name();
        e.left = clamp_int16(g.left);
        e.top = clamp_int16(g.top);
        e.width = clamp_int16(g.width);
        e.height = clamp_int16(g.height);
        e.font_size = is_picture(window, *c) ? 0 : clamp_int16(round_half_even(c->font_size()));
        ++layout_count;
    }
}

void fit_form(const FittedWindow& window)
{
    const platform::ScreenTwips screen = platform::host().screen();
    const double height = screen.height - resize::scale_y * bottom_strip;
    const double width = screen.width;

    // The design surface gives up its fixed size and fills the window below the menu bar.
    window.surface.setMinimumSize(0, 0);
    window.surface.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    auto* fit = new FrameFit(window, QSize(platform::twips_to_pixels(width), platform::twips_to_pixels(height)));
    if (fit->apply())
        delete fit;
    else
        fit->wait_for_frame();
    scale_controls(window);
}

void scale_controls(const FittedWindow& window)
{
    using namespace resize;
    const double factor_y = fitting_scale_y(window);
    // Fonts follow the smaller factor: text grown by the horizontal factor
    // alone would no longer fit the height of its control on a wide screen.
    const double font_factor = std::min(scale_x, factor_y);
    platform::use_control_style(font_factor / full_hd_font_factor);
    for (int k = 0; k < layout_count; ++k) {
        const ctl_geom& e = layout[static_cast<std::size_t>(k)];
        for (const auto& c : window.controls) {
            if (c->name() != e.name || c->index() != e.index)
                continue;
            platform::Twips g = c->geometry();
            g.left = scaled(e.left, scale_x);
            g.top = scaled(e.top, factor_y);
            if (is_picture(window, *c)) {
                c->set_geometry(g);
                continue;
            }
            g.width = scaled(e.width, scale_x);
            g.height = scaled(e.height, factor_y);
            c->set_geometry(g);
            // A product that is a whole number must not lose a point to rounding.
            c->set_font_size(std::floor(e.font_size * font_factor + 1e-9));
        }
    }
    keep_lines(window);
}

}  // namespace qid
