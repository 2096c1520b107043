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

void DrawTarget::print_run(QStringView s, float space_extra)
{
    const float y = current_y();
    float x = current_x();
    for (qsizetype i = 0; i < s.size();) {
        const qsizetype len = s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
        if (s[i] == QLatin1Char(' '))
            x += space_extra;
        set_current(x, y);
        print_text(s.mid(i, len).toString());
        x = current_x();
        i += len;
    }
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
