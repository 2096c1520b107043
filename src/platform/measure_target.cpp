#include "platform/measure_target.h"

namespace qid::platform {

void MeasureTarget::set_current(float x, float y)
{
    x_ = x;
    y_ = y;
}

void MeasureTarget::print_line()
{
    y_ += text_height(QString());
    x_ = 0;
}

DrawTarget& MeasureTarget::measuring() const
{
    if (!(metrics_->font() == font_))
        metrics_->set_font(font_);
    return *metrics_;
}

float MeasureTarget::text_width(const QString& s) const
{
    return metrics_ ? measuring().text_width(s) : 0.0f;
}

float MeasureTarget::text_height(const QString& s) const
{
    return metrics_ ? measuring().text_height(s) : 0.0f;
}

}  // namespace qid::platform
