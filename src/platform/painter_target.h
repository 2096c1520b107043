#pragma once
// What the printer and the preview surface share: a drawing target painted
// through QPainter on a device, page units mapped to device pixels, fonts in
// points measured on that same device.
//
// Every font the target has been given lately keeps its metrics (height, the
// width of each character met so far) while the device's resolution stays, so
// measuring a character is a table look-up after its first time.
#include <memory>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "platform/draw_target.h"

namespace qid::platform {

class PainterTarget : public DrawTarget {
public:
    ~PainterTarget() override;

    float current_x() const override { return x_; }
    float current_y() const override { return y_; }
    void set_current(float x, float y) override;
    void print_text(const QString& s) override;
    void print_run(QStringView s, float space_extra = 0) override;
    void print_line() override;
    float text_width(const QString& s) const override;
    float char_width(QStringView ch) const override;
    float text_height(const QString& s) const override;
    TargetFont font() const override { return font_; }
    void set_font(const TargetFont& f) override;
    std::int32_t fore_color() const override { return fore_; }
    void set_fore_color(std::int32_t rgb) override { fore_ = rgb; }
    void set_back_color(std::int32_t rgb) override { back_ = rgb; }
    void align_text_bottom() override { bottom_aligned_ = true; }
    int set_transparent() override;
    void paint_picture(const QImage& picture, float x, float y, float w, float h) override;
    void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) override;
    void set_draw_width(int pixels) override { draw_width_ = pixels < 1 ? 1 : pixels; }

protected:
    // How a run of characters reaches the device: as glyphs placed one by one
    // (fast, for pictures), or as text, so that a document keeps the
    // characters (a PDF can then be searched and copied from).
    enum class Runs { glyphs, text };

    // opaque_text: text starts out drawn on a box of the background colour,
    // as on a fresh printer device, until set_transparent.
    PainterTarget(bool opaque_text, Runs runs);
    std::int32_t back_color() const { return back_; }
    // The device may have been set up anew: its resolution is checked before
    // the next measurement.
    void device_touched() { current_ = nullptr; }

    // The device whose resolution sizes the fonts and measures the text.
    virtual const QPaintDevice* metric_device() const = 0;
    // How much larger a font is taken, measured and drawn, the painter scaled
    // down by as much. Fonts come in whole pixel sizes: at a few pixels per
    // point that is up to 3 % off the size asked for, so a low-resolution
    // picture takes its fonts larger, and its characters and lines keep in
    // proportion with the printer's, each drawn exactly as wide as measured.
    virtual double font_magnification() const { return 1; }
    // Device pixels per page unit.
    virtual double pixels_per_unit_x() const = 0;
    virtual double pixels_per_unit_y() const = 0;
    // A painter ready to draw, or nullptr when the device cannot be painted.
    // It may stay open between calls.
    virtual QPainter* begin_paint() = 0;

private:
    struct CachedFont;

    CachedFont& cached() const;
    // Top of the text cell whose reference point is at device Y py.
    double cell_top(double py) const;
    void draw_glyphs(QPainter& p, QStringView s, const std::vector<float>& xs, double baseline);
    void draw_pieces(QPainter& p, QStringView s, const std::vector<float>& xs, double baseline, bool widened);

    float x_ = 0;
    float y_ = 0;
    TargetFont font_;
    std::int32_t fore_ = 0;
    std::int32_t back_ = 0xffffff;
    int draw_width_ = 1;
    bool bottom_aligned_ = false;
    bool opaque_;
    Runs runs_;
    // Fonts used lately, the current one found again after each change.
    mutable std::vector<std::unique_ptr<CachedFont>> fonts_;
    mutable CachedFont* current_ = nullptr;
    mutable QPoint fonts_dpi_;
};

}  // namespace qid::platform
