#pragma once
// The printer as a page sees it. A printer draws from the corner of its
// printable area, inside the unprintable margins; the page places everything
// from the corner of the paper. This target takes page positions, moves each
// drawing up and left by the page's unprintable offsets, and reads positions
// back as page positions, so text, pictures and boxes all land on paper where
// the page put them.
#include "platform/forwarding_target.h"

namespace qid {

class PaperTarget final : public platform::ForwardingTarget {
public:
    explicit PaperTarget(platform::DrawTarget& printer) : ForwardingTarget(printer) {}

    // The printer's unprintable offsets, in page units.
    void set_offsets(float x, float y)
    {
        x_off_ = x;
        y_off_ = y;
    }

    float current_x() const override { return inner().current_x() + x_off_; }
    float current_y() const override { return inner().current_y() + y_off_; }
    void set_current(float x, float y) override { inner().set_current(x - x_off_, y - y_off_); }
    // Back to the paper's left edge, one line down.
    void print_line() override
    {
        inner().print_line();
        inner().set_current(-x_off_, inner().current_y());
    }
    void paint_picture(const QImage& picture, float x, float y, float w, float h) override
    {
        inner().paint_picture(picture, x - x_off_, y - y_off_, w, h);
    }
    void draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb) override
    {
        inner().draw_box(x1 - x_off_, y1 - y_off_, x2 - x_off_, y2 - y_off_, rgb);
    }

private:
    float x_off_ = 0;
    float y_off_ = 0;
};

}  // namespace qid
