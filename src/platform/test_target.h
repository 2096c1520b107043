#pragma once
// A drawing target with fixed, simple metrics that records every call, so
// layout can be checked to the exact position without any installed font.
// Every character is 1/96 inch wide per point (0.125 inch at 12 points) and
// the text height is 1/48 inch per point (0.25 inch at 12 points), both
// divided by the target's font scale.
#include <vector>

#include "platform/draw_target.h"

namespace qid::platform {

struct DrawCall {
    enum class Kind {
        text,         // print_text: text, x, y, font, color
        line_end,     // print_line: y after it
        clear,
        picture,      // x, y, w, h
        box,          // x, y (first corner), w, h (second corner), color, width
        back_color,   // color
        new_page,
        end_doc,
        abandon_doc,
    };
    Kind kind = Kind::text;
    QString text;
    float x = 0;
    float y = 0;
    float w = 0;
    float h = 0;
    TargetFont font;
    std::int32_t color = 0;
    int width = 0;
};

class TestTarget final : public DrawTarget {
public:
    // font_scale: the target's points per printer point, so a surface test
    // target given fonts scaled by preview_scale x zoom measures like the printer.
    explicit TestTarget(float font_scale = 1.0f) : scale_(font_scale) {}

    float current_x() const override { return x_; }
    float current_y() const override { return y_; }
    void set_current(float x, float y) override;
    void print_text(const QString& s) override;
    // Runs are not overridden: the default draws them with one print_text per
    // character, so a run is recorded as one call per character, X advancing
    // by each character's fixed width, and tests see exactly where each one went.
    void print_line() override;
    float text_width(const QString& s) const override;
    float char_width(QStringView ch) const override;
    float text_height(const QString& s) const override;
    TargetFont font() const override { return font_; }
    void set_font(const TargetFont& f) override { font_ = f; }
    std::int32_t fore_color() const override { return fore_; }
    void set_fore_color(std::int32_t rgb) override { fore_ = rgb; }
    void set_back_color(std::int32_t rgb) override;
    void align_text_bottom() override { bottom_aligned_ = true; }
    int set_transparent() override;
    void paint_picture(const QImage& picture, float x, float y, float w, float h) override;
    void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) override;
    void set_draw_width(int pixels) override { draw_width_ = pixels; }
    void clear() override;
    void new_page() override;
    void end_doc() override;
    void abandon_doc() override;

    const std::vector<DrawCall>& calls() const { return calls_; }
    // The drawn texts only, in order.
    std::vector<DrawCall> texts() const;
    void forget() { calls_.clear(); }
    bool bottom_aligned() const { return bottom_aligned_; }
    bool transparent() const { return transparent_; }
    std::int32_t back_color() const { return back_; }

private:
    void record(DrawCall::Kind kind);

    float scale_;
    float x_ = 0;
    float y_ = 0;
    TargetFont font_;
    std::int32_t fore_ = 0;
    std::int32_t back_ = 0xffffff;
    int draw_width_ = 1;
    bool bottom_aligned_ = false;
    bool transparent_ = false;
    std::vector<DrawCall> calls_;
};

}  // namespace qid::platform
