#pragma once
// Fitting the main window to the screen it starts on. The controls' design
// geometry and font sizes are recorded once; the window then takes the
// screen's width and its height less a strip at the bottom, and every control
// is moved and sized by one horizontal and one vertical factor. Pictures are
// moved but keep their size.
#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

class QMainWindow;
class QWidget;

namespace qid {

namespace platform {
class QtControl;
}

// What the fitting needs of the main window, which hands it over: the window,
// the design surface under its menu bar, the background picture and every
// control in the window's own order.
struct FittedWindow {
    QMainWindow& window;
    QWidget& surface;
    const QWidget* background;
    const std::vector<std::unique_ptr<platform::QtControl>>& controls;
};

// The recorded design geometry of one control, in twips of its container.
struct ctl_geom {
    std::int16_t index = 0;
    QString name;
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t font_size = 0;  // whole points, halves to even; 0 for a picture
};

namespace resize {
// Screen width and usable height in twips. 32 bits: a 16-bit twip count
// overflows from 2185 pixels at 96 DPI.
extern std::int32_t screen_w;
extern std::int32_t screen_h;
extern double scale_x;  // screen_w / 19200
extern double scale_y;  // screen_h / 13900
extern std::vector<ctl_geom> layout;
extern std::int16_t layout_count;
}  // namespace resize

// Records every control of the window (menu entries and the button picture
// list are not controls here) and computes the two factors.
void save_layout(const FittedWindow& window);
// Gives the window the screen's width and height less the bottom strip, its
// frame at the top left corner, and scales the controls.
void fit_form(const FittedWindow& window);
// Moves and sizes every recorded control by the factors.
void scale_controls(const FittedWindow& window);

}  // namespace qid
