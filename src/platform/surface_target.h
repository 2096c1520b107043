#pragma once
// The preview surface: a picture of the whole sheet of paper. Its coordinates
// run from (0, 0) to (paper width, paper height) in page units whatever its
// size in pixels, so the same layout draws a proportional image at any zoom.
#include <QImage>
#include <QSizeF>

#include "platform/painter_target.h"

namespace qid::platform {

class SurfaceTarget final : public PainterTarget {
public:
    // A sheet of paper (page units) shown at pixels_per_unit pixels per unit.
    SurfaceTarget(QSizeF paper, double pixels_per_unit);

    ~SurfaceTarget() override;

    // New paper or scale; the picture is cleared.
    void resize(QSizeF paper, double pixels_per_unit);
    // The picture as drawn so far. The painter stays open while a page is
    // composed and is closed here, before anyone reads the picture.
    const QImage& image() const;
    QSizeF paper() const { return paper_; }
    // Surface points that draw as large as one printer point: a printer font
    // of s points looks the same here at s x font_scale() points.
    float font_scale() const;

    void clear() override;

    // The surface's fonts are sized at this many dots per inch.
    static constexpr int font_dpi = 96;

protected:
    const QPaintDevice* metric_device() const override { return &image_; }
    double pixels_per_unit_x() const override { return scale_; }
    double pixels_per_unit_y() const override { return scale_; }
    double font_magnification() const override { return 16; }
    QPainter* begin_paint() override;

private:
    void end_paint() const;

    QSizeF paper_;
    double scale_ = 1;
    QImage image_;
    mutable QPainter painter_;
};

}  // namespace qid::platform
