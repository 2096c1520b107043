#include "platform/painter_target.h"

#include <algorithm>
#include <cmath>

namespace qid::platform {

void PainterTarget::set_current(float x, float y)
{
    x_ = x;
    y_ = y;
}

QFont PainterTarget::qt_font() const
{
    QFont f(font_.name);
    f.setPointSizeF(font_.size);
    f.setItalic(font_.italic);
    f.setUnderline(font_.underline);
    f.setStrikeOut(font_.strikethrough);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font_.weight, 1, 1000)));
    // Unhinted advances keep the widths proportional at every resolution,
    // so a surface places its characters like the printer does.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QFontMetricsF& PainterTarget::metrics() const
{
    if (!metrics_)
        metrics_.emplace(qt_font(), metric_device());
    return *metrics_;
}

void PainterTarget::set_font(const TargetFont& f)
{
    const float old_size = font_.size;
    font_ = f;
    // A size that no device can render keeps the previous one.
    if (!std::isfinite(font_.size) || font_.size <= 0.0f)
        font_.size = old_size;
    metrics_.reset();
}

float PainterTarget::text_width(const QString& s) const
{
    return static_cast<float>(metrics().horizontalAdvance(s) / pixels_per_unit_x());
}

float PainterTarget::text_height(const QString&) const
{
    return static_cast<float>(metrics().height() / pixels_per_unit_y());
}

int PainterTarget::set_transparent()
{
    const int previous = opaque_ ? bk_opaque : bk_transparent;
    opaque_ = false;
    return previous;
}

void PainterTarget::print_text(const QString& s)
{
    const float width = text_width(s);
    if (QPainter* p = begin_paint()) {
        const QFontMetricsF& m = metrics();
        const double px = x_ * pixels_per_unit_x();
        const double py = y_ * pixels_per_unit_y();
        const double top = bottom_aligned_ ? py - m.height() : py;
        if (opaque_)
            p->fillRect(QRectF(px, top, m.horizontalAdvance(s), m.height()), QColor(to_qrgb(back_)));
        p->setFont(qt_font());
        p->setPen(QColor(to_qrgb(fore_)));
        p->drawText(QPointF(px, top + m.ascent()), s);
        end_paint();
    }
    x_ += width;
}

void PainterTarget::print_line()
{
    y_ += text_height(QString());
    x_ = 0;
}

void PainterTarget::paint_picture(const QImage& picture, float x, float y, float w, float h)
{
    if (QPainter* p = begin_paint()) {
        const QRectF rect(x * pixels_per_unit_x(), y * pixels_per_unit_y(), w * pixels_per_unit_x(),
                          h * pixels_per_unit_y());
        p->setRenderHint(QPainter::SmoothPixmapTransform);
        p->drawImage(rect, picture);
        end_paint();
    }
}

void PainterTarget::draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb)
{
    if (QPainter* p = begin_paint()) {
        QPen pen(QColor(to_qrgb(rgb)));
        pen.setWidth(draw_width_);
        pen.setJoinStyle(Qt::MiterJoin);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(QPointF(x1 * pixels_per_unit_x(), y1 * pixels_per_unit_y()),
                           QPointF(x2 * pixels_per_unit_x(), y2 * pixels_per_unit_y()))
                        .normalized());
        end_paint();
    }
    set_current(x2, y2);
}

}  // namespace qid::platform
