#include "platform/draw_target.h"

#include <cmath>

#include <QImageReader>

namespace qid::platform {

QRgb to_qrgb(std::int32_t rgb)
{
    return qRgb(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff);
}

std::int32_t rgb_value(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

namespace {

// Whole dots per inch from a resolution in dots per metre (files store 3780
// for 96 dpi); 96 when none is recorded.
float dots_per_inch(int dots_per_metre)
{
    const double dpi = std::round(dots_per_metre * 0.0254);
    return dpi >= 1 ? static_cast<float>(dpi) : 96.0f;
}

}  // namespace

std::optional<Picture> FilePictureBox::load(const QString& path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return std::nullopt;
    Picture picture;
    picture.width = static_cast<float>(image.width()) / dots_per_inch(image.dotsPerMeterX());
    picture.height = static_cast<float>(image.height()) / dots_per_inch(image.dotsPerMeterY());
    picture.image = std::move(image);
    return picture;
}

}  // namespace qid::platform
