#pragma once
// A drawing target that passes every call on to another one; a target that
// changes a few calls on their way derives from it.
#include "platform/draw_target.h"

namespace qid::platform {

class ForwardingTarget : public DrawTarget {
public:
    explicit ForwardingTarget(DrawTarget& inner) : inner_(inner) {}

    float current_x() const override { return inner_.current_x(); }
    float current_y() const override { return inner_.current_y(); }
    void set_current(float x, float y) override { inner_.set_current(x, y); }
    void print_text(const QString& s) override { inner_.print_text(s); }
    void print_run(QStringView s, float space_extra = 0) override { inner_.print_run(s, space_extra); }
    void print_line() override { inner_.print_line(); }
    float text_width(const QString& s) const override { return inner_.text_width(s); }
    float text_height(const QString& s) const override { return inner_.text_height(s); }
    float char_width(QStringView ch) const override { return inner_.char_width(ch); }
    TargetFont font() const override { return inner_.font(); }
    void set_font(const TargetFont& f) override { inner_.set_font(f); }
    std::int32_t fore_color() const override { return inner_.fore_color(); }
    void set_fore_color(std::int32_t rgb) override { inner_.set_fore_color(rgb); }
    void set_back_color(std::int32_t rgb) override { inner_.set_back_color(rgb); }
    void align_text_bottom() override { inner_.align_text_bottom(); }
    int set_transparent() override { return inner_.set_transparent(); }
    void paint_picture(const QImage& picture, float x, float y, float w, float h) override
    {
        inner_.paint_picture(picture, x, y, w, h);
    }
    void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) override
    {
        inner_.draw_box(x1, y1, x2, y2, rgb);
    }
    void set_draw_width(int pixels) override { inner_.set_draw_width(pixels); }
    void clear() override { inner_.clear(); }
    void new_page() override { inner_.new_page(); }
    void end_doc() override { inner_.end_doc(); }
    void abandon_doc() override { inner_.abandon_doc(); }

protected:
    DrawTarget& inner() const { return inner_; }

private:
    DrawTarget& inner_;
};

}  // namespace qid::platform
