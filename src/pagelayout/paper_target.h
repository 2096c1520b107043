#pragma once
// The printer as a page sees it. A printer draws from the corner of its
// printable area, inside the unprintable margins; the page places everything
// from the corner of the paper. This target takes page positions, moves each
// drawing up and left by the page's unprintable offsets, and reads positions
// back as page positions, so text, pictures and boxes all land on paper where
// the page put them.
#include "platform/draw_target.h"

namespace qid {

class PaperTarget final : public platform::DrawTarget {
public:
    explicit PaperTarget(platform::DrawTarget& printer) : printer_(printer) {}

    // The printer's unprintable offsets, in page units.
    void set_offsets(float x, float y)
    {
        x_off_ = x;
        y_off_ = y;
    }

    float current_x() const override { return printer_.current_x() + x_off_; }
    float current_y() const override { return printer_.current_y() + y_off_; }
    void set_current(float x, float y) override { printer_.set_current(x - x_off_, y - y_off_); }
    void print_text(const QString& s) override { printer_.print_text(s); }
    void print_run(QStringView s, float space_extra = 0) override { printer_.print_run(s, space_extra); }
    // Back to the paper's left edge, one line down.
    void print_line() override
    {
        printer_.print_line();
        printer_.set_current(-x_off_, printer_.current_y());
    }
    float text_width(const QString& s) const override { return printer_.text_width(s); }
    float text_height(const QString& s) const override { return printer_.text_height(s); }
    float char_width(QStringView ch) const override { return printer_.char_width(ch); }
    platform::TargetFont font() const override { return printer_.font(); }
    void set_font(const platform::TargetFont& f) override { printer_.set_font(f); }
    std::int32_t fore_color() const override { return printer_.fore_color(); }
    void set_fore_color(std::int32_t rgb) override { printer_.set_fore_color(rgb); }
    void set_back_color(std::int32_t rgb) override { printer_.set_back_color(rgb); }
    void align_text_bottom() override { printer_.align_text_bottom(); }
    int set_transparent() override { return printer_.set_transparent(); }
    void paint_picture(const QImage& picture, float x, float y, float w, float h) override
    {
        printer_.paint_picture(picture, x - x_off_, y - y_off_, w, h);
    }
    void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) override
    {
        printer_.draw_box(x1 - x_off_, y1 - y_off_, x2 - x_off_, y2 - y_off_, rgb);
    }
    void set_draw_width(int pixels) override { printer_.set_draw_width(pixels); }
    void clear() override { printer_.clear(); }
    void new_page() override { printer_.new_page(); }
    void end_doc() override { printer_.end_doc(); }
    void abandon_doc() override { printer_.abandon_doc(); }

private:
    platform::DrawTarget& printer_;
    float x_off_ = 0;
    float y_off_ = 0;
};

}  // namespace qid
