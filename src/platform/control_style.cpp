#include "platform/control_style.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionFocusRect>

namespace qid::platform {

namespace {

class ControlStyle final : public QProxyStyle {
public:
    explicit ControlStyle(double factor) : factor_(factor) {}

    double factor() const { return factor_; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int own = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
        case PM_ScrollBarExtent:
        case PM_ScrollBarSliderMin:
            return static_cast<int>(std::lround(own * factor_));
        default:
            return own;
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        // Many styles mark the focus only after a Tab, and then faintly; a
        // user who cannot see where the keys go cannot work the window by
        // keyboard. A text box keeps its own frame and gets the mark on it.
        const bool text_box = element == PE_FrameLineEdit && (option->state & State_HasFocus);
        if (element != PE_FrameFocusRect)
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_FrameFocusRect || text_box)
            draw_focus_mark(*painter, option->rect);
    }

private:
    // Black dashes on white, which show on any background, the highlight of
    // a chosen list entry included; one pixel wide, or as wide as the parts
    // have grown, just inside rect.
    void draw_focus_mark(QPainter& painter, const QRect& rect) const
    {
        const int width = std::max(1, static_cast<int>(std::lround(factor_)));
        const QRectF frame = QRectF(rect).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, width));
        painter.drawRect(frame);
        QPen dashes(Qt::black, width, Qt::CustomDashLine);
        dashes.setDashPattern({2.0, 2.0});
        painter.setPen(dashes);
        painter.drawRect(frame);
        painter.restore();
    }
    double factor_;
};

}  // namespace

void use_control_style(double factor)
{
    factor = std::max(1.0, factor);
    if (control_scale() == factor && dynamic_cast<ControlStyle*>(QApplication::style()))
        return;
    // A new style, rather than a changed one, makes every widget take the
    // new sizes: the lists lay out their scroll bars again.
    QApplication::setStyle(new ControlStyle(factor));
}

double control_scale()
{
    const auto* style = dynamic_cast<const ControlStyle*>(QApplication::style());
    return style ? style->factor() : 1.0;
}

}  // namespace qid::platform
