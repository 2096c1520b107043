#pragma once
// A drawing target that draws nothing: it keeps its own position and font and
// measures text on another target (or gives every text no extent when it has
// none), so a page can be laid out in advance exactly as on that target.
#include "platform/draw_target.h"

namespace qid::platform {

class MeasureTarget final : public DrawTarget {
public:
    explicit MeasureTarget(DrawTarget* metrics = nullptr) : metrics_(metrics) {}

    float current_x() const override { return x_; }
    float current_y() const override { return y_; }
    void set_current(float x, float y) override;
    void print_text(const QString& s) override { x_ += text_width(s); }
    void print_line() override;
    float text_width(const QString& s) const override;
    float text_height(const QString& s) const override;
    TargetFont font() const override { return font_; }
    void set_font(const TargetFont& f) override { font_ = f; }
    std::int32_t fore_color() const override { return fore_; }
    void set_fore_color(std::int32_t rgb) override { fore_ = rgb; }
    void set_back_color(std::int32_t) override {}
    void align_text_bottom() override {}
    int set_transparent() override { return bk_transparent; }
    void paint_picture(const QImage&, float, float, float, float) override {}
    void draw_box(float, float, float x2, float y2, std::int32_t) override { set_current(x2, y2); }
    void set_draw_width(int) override {}

private:
    // The measuring target in this target's font.
    DrawTarget& measuring() const;

    DrawTarget* metrics_;
    float x_ = 0;
    float y_ = 0;
    TargetFont font_;
    std::int32_t fore_ = 0;
};

}  // namespace qid::platform
