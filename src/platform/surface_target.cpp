#include "platform/surface_target.h"

#include <algorithm>
#include <cmath>

namespace qid::platform {

namespace {

// Larger pictures than this are not allocated; the scale is lowered instead.
constexpr double max_side_pixels = 20000;

}  // namespace

SurfaceTarget::SurfaceTarget(QSizeF paper, double pixels_per_unit) : PainterTarget(false, Runs::glyphs)
{
    resize(paper, pixels_per_unit);
}

SurfaceTarget::~SurfaceTarget()
{
    end_paint();
}

const QImage& SurfaceTarget::image() const
{
    end_paint();
    return image_;
}

void SurfaceTarget::resize(QSizeF paper, double pixels_per_unit)
{
    end_paint();
    paper_ = QSizeF(std::max(paper.width(), 0.01), std::max(paper.height(), 0.01));
    const double largest = std::max(paper_.width(), paper_.height());
    scale_ = std::clamp(pixels_per_unit, 1.0, max_side_pixels / largest);
    image_ = QImage(std::max(1, static_cast<int>(std::lround(paper_.width() * scale_))),
                    std::max(1, static_cast<int>(std::lround(paper_.height() * scale_))),
                    QImage::Format_RGB32);
    // The font resolution fixes how large a point is on this picture.
    const int dots_per_metre = static_cast<int>(std::lround(font_dpi / 0.0254));
    image_.setDotsPerMeterX(dots_per_metre);
    image_.setDotsPerMeterY(dots_per_metre);
    clear();
}

float SurfaceTarget::font_scale() const
{
    return static_cast<float>(scale_ / font_dpi);
}

void SurfaceTarget::clear()
{
    end_paint();
    image_.fill(QColor(to_qrgb(back_color())));
    set_current(0, 0);
}

QPainter* SurfaceTarget::begin_paint()
{
    if (painter_.isActive())
        return &painter_;
    if (!painter_.begin(&image_))
        return nullptr;
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    return &painter_;
}

void SurfaceTarget::end_paint() const
{
    if (painter_.isActive())
        painter_.end();
}

}  // namespace qid::platform
