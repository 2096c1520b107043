#include "document/preview.h"

#include <cmath>
#include <functional>

#include <QCloseEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "document/pp_pages.h"
#include "platform/host.h"
#include "platform/image_button.h"
#include "platform/messages.h"
#include "core/numbers.h"
#include "core/shared.h"

namespace qid {

namespace {

// The page surface: shows the picture the pages are composed on and turns
// mouse presses into zoom requests.
class PageSurface final : public QWidget {
public:
    PageSurface(const platform::SurfaceTarget& surface, std::function<void(Qt::MouseButton)> pressed,
                QWidget* parent)
        : QWidget(parent), surface_(surface), pressed_(std::move(pressed))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), surface_.image());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        constexpr Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
        event->accept();
        if ((event->modifiers() & held) == 0)
            pressed_(event->button());
    }

private:
    const platform::SurfaceTarget& surface_;
    std::function<void(Qt::MouseButton)> pressed_;
};

int px(double twips)
{
    return platform::twips_to_pixels(twips);
}

// A rectangle in twips as whole pixels, rounding its edges so neighbours meet.
QRect pixels(double left, double top, double width, double height)
{
    const int x = px(left);
    const int y = px(top);
    return {x, y, px(left + width) - x, px(top + height) - y};
}

void tag(QWidget* w, const char* name, int index = 0)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setProperty("index", index);
}

std::weak_ptr<preview> the_window;

// The pictures of the print and close buttons, released and pressed.
QString picture_path(std::size_t k)
{
    const char* files[] = {"prntU", "prntD", "closeU", "closeD"};
    return platform::host().program_folder() + QStringLiteral("/graphics/") + QString::fromLatin1(files[k]) +
           QStringLiteral(".gif");
}

void report_picture(const QString& path)
{
    platform::system_message(QStringLiteral("File '") + path + QStringLiteral("' doesn't exist."),
                             QStringLiteral("QUENLA ID ERROR"), platform::icon_critical);
}

// Room round the strip's buttons for their focus mark, off their words.
const QMargins focus_margin(1, 1, 1, 1);

}  // namespace

preview::preview(const QStringList& reported) : surface_(QSizeF(8.5, 11), 1)
{
    setWindowTitle(QStringLiteral("PRINT PREVIEW"));
    // A dialog of the window it is opened from, kept in front of it.
    setWindowFlags(Qt::Dialog);
    setAutoFillBackground(true);
    QPalette strip = palette();
    strip.setColor(QPalette::Window, QColor(193, 198, 191));
    setPalette(strip);
    build();
    load_pictures(reported);
}

preview::~preview() = default;

void preview::build()
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(10);
    arial.setBold(true);
    label1_ = new QLabel(QStringLiteral("100%"), this);
    tag(label1_, "Label1");
    label1_->setFont(arial);
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setGeometry(pixels(60, 20, 1440, 300));

    for (int i = 0; i < 2; ++i) {
        auto* b = new platform::ImageButton(this);
        tag(b, "Image1", i);
        b->set_focus_margin(focus_margin.left());
        b->setGeometry(pixels(1605 + 1500 * i, 20, 1500, 300).marginsAdded(focus_margin));
        connect(b, &platform::ImageButton::activated, this, [this, i] { button_released(i); });
        buttons_[static_cast<std::size_t>(i)] = b;
    }
    for (int i = 0; i < 2; ++i) {
        auto* holder = new QLabel(this);
        tag(holder, "Image1", 4 + i);
        holder->hide();
        cursor_holders_[static_cast<std::size_t>(i)] = holder;
    }

    auto* page_bar = new QScrollBar(Qt::Horizontal, this);
    tag(page_bar, "FlatScrollBar3");
    page_bar->setGeometry(pixels(4710, 20, 3000, 300));
    page_bar->setRange(1, 1);
    connect(page_bar, &QScrollBar::valueChanged, this, [this](int v) { page_bar_changed(v); });
    label2_ = new QLabel(this);
    tag(label2_, "Label2");
    label2_->setFont(arial);
    label2_->setGeometry(pixels(7770, 20, 1800, 300));

    picture1_ = new QWidget(this);
    tag(picture1_, "Picture1");
    picture1_->setAutoFillBackground(true);
    QPalette dark = picture1_->palette();
    dark.setColor(QPalette::Window, QColor(96, 96, 96));
    picture1_->setPalette(dark);
    picture2_ = new PageSurface(surface_, [this](Qt::MouseButton b) { surface_pressed(b); }, picture1_);
    tag(picture2_, "Picture2");

    auto* v_bar = new QScrollBar(Qt::Vertical, this);
    tag(v_bar, "FlatScrollBar1");
    connect(v_bar, &QScrollBar::valueChanged, this, [this](int v) {
        if (pages_)
            pages_->change_v_bar(v, current_page_);
    });
    auto* h_bar = new QScrollBar(Qt::Horizontal, this);
    tag(h_bar, "FlatScrollBar2");
    h_bar->hide();
    connect(h_bar, &QScrollBar::valueChanged, this, [this](int v) {
        if (pages_)
            pages_->change_h_bar(v);
    });
    bars_ = {v_bar, h_bar, page_bar};
    // The keys belong to the window (keyPressEvent), never to a bar.
    for (QScrollBar* bar : bars_)
        bar->setFocusPolicy(Qt::NoFocus);
}

QStringList preview::check_pictures()
{
    QStringList unreadable;
    for (std::size_t k = 0; k < 4; ++k)
        if (!platform::picture_readable(picture_path(k))) {
            report_picture(picture_path(k));
            unreadable << picture_path(k);
        }
    return unreadable;
}

void preview::load_pictures(const QStringList& reported)
{
    for (std::size_t k = 0; k < image_list_.size(); ++k)
        if (!image_list_[k].load(picture_path(k)) && !reported.contains(picture_path(k)))
            report_picture(picture_path(k));
    const char* captions[] = {"PRINT", "CLOSE"};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const QPixmap& released = image_list_[2 * i];
        if (released.isNull()) {  // still usable without its picture
            buttons_[i]->setText(QString::fromLatin1(captions[i]));
            continue;
        }
        const QRect at = buttons_[i]->geometry();
        buttons_[i]->set_pictures(released, image_list_[2 * i + 1]);
        buttons_[i]->setGeometry(QRect(at.topLeft(), buttons_[i]->size()));
    }
}

int preview::strip_width() const
{
    return label2_->geometry().right() + 1;
}

void preview::arrange(const PreviewView& v)
{
    const QSize window = pixels(v.win_left, v.win_top, v.win_w, v.win_h).size();
    setFixedSize(std::max(window.width(), strip_width()), window.height());
    picture1_->setGeometry(pixels(0, v.bar_size, v.frame_w, v.frame_h));
    picture2_->setGeometry(pixels(v.surface_left, v.surface_top, v.surface_w, v.surface_h));
    FlatScrollBar(1)->setGeometry(pixels(v.frame_w, v.bar_size, v.bar_size, v.frame_h));
    FlatScrollBar(1)->setVisible(!v.v_hidden);
    FlatScrollBar(2)->setGeometry(pixels(0, v.bar_size + v.frame_h, v.frame_w, v.bar_size));
    FlatScrollBar(2)->setVisible(v.zoomed);
}

void preview::show_at(const PreviewView& v)
{
    if (isVisible())
        return;
    move(platform::twips_to_pixels(v.win_left), platform::twips_to_pixels(v.win_top));
    show();
    raise();
    activateWindow();
}

void preview::set_surface_cursor(bool zoom_out)
{
    const QPixmap picture = cursor_holders_[zoom_out ? 1 : 0]->pixmap();
    picture2_->setCursor(picture.isNull() ? QCursor(Qt::CrossCursor) : QCursor(picture));
}

void preview::repaint_surface()
{
    picture2_->update();
}

void preview::set_zoom_caption(const QString& text)
{
    label1_->setText(text);
}

void preview::set_arrows(int value, QScrollBar* bar)
{
    int arrows = 0;
    if (value == bar->minimum())
        arrows = 2;
    else if (value == bar->maximum())
        arrows = 1;
    bar->setProperty("arrows", arrows);
}

void preview::show_caption(int value, int count)
{
    label2_->setText(QStringLiteral("P. ") + QString::number(value) + QStringLiteral(" of ") + QString::number(count));
}

void preview::set_bar_range(int max, int min, int value)
{
    QScrollBar* bar = FlatScrollBar(3);
    // Setting the bar is not a move of the user's: nothing is recomposed.
    const QSignalBlocker quiet(bar);
    bar->setRange(min, max);
    bar->setPageStep(max > 10 ? static_cast<int>(round_half_even(std::floor(max - min) / 10.0)) : 1);
    bar->setSingleStep(1);
    bar->setValue(value);
    set_arrows(value, bar);
    show_caption(value, max);
}

void preview::page_bar_changed(int value)
{
    if (!pages_)
        return;
    pages_->num_pge(page_count_, first_page_, last_page_);
    show_caption(value, page_count_);
    show_page(static_cast<std::int16_t>(value));
    set_arrows(value, FlatScrollBar(3));
}

void preview::show_page(std::int16_t n)
{
    surface_.clear();
    zoom_factor_ = pages_->page_data(10).toFloat();
    current_page_ = n;
    pages_->compose(1, zoom_factor_, current_page_);
}

void preview::surface_pressed(Qt::MouseButton button)
{
    if (!pages_)
        return;
    if (button == Qt::LeftButton)
        pages_->zoom();
    else if (button == Qt::RightButton)
        pages_->switch_zoom();
}

void preview::button_released(int index)
{
    if (!pages_)
        return;
    current_page_ = pages_->get_local_page();
    if (index == 1) {
        pages_->preview_closed();
        pages_->close_preview();
        return;
    }
    zoom_factor_ = pages_->page_data(10).toFloat();
    pages_->select_printer();
    if (!page_err) {
        pages_->close_preview();
        pages_->compose(0, 1, current_page_);
        pages_->end_printer_doc();
    }
    page_err = false;
    pages_->compose(1, zoom_factor_, current_page_);
}

void preview::showEvent(QShowEvent* event)
{
    // The main window takes no input while a report is previewed, so the
    // cascade the report shows cannot change under it; it can still be closed.
    shield_.engage();
    QWidget::showEvent(event);
    buttons_[0]->show();
    buttons_[1]->show();
    if (!activated_) {
        activated_ = true;
        current_page_ = 1;
    }
}

void preview::hideEvent(QHideEvent* event)
{
    // Minimised, the preview still holds the main window.
    if (!event->spontaneous())
        shield_.release();
    QWidget::hideEvent(event);
}

bool preview::take_key(int key)
{
    QScrollBar* page_bar = FlatScrollBar(3);
    // Arrows scroll only an enlarged page: at 100 % a bar's step is a page.
    const bool zoomed = pages_->view().zoomed;
    switch (key) {
    case Qt::Key_PageDown: page_bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case Qt::Key_PageUp: page_bar->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case Qt::Key_Home: page_bar->triggerAction(QAbstractSlider::SliderToMinimum); return true;
    case Qt::Key_End: page_bar->triggerAction(QAbstractSlider::SliderToMaximum); return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Left:
        if (zoomed)
            FlatScrollBar(key == Qt::Key_Down || key == Qt::Key_Up ? 1 : 2)
                ->triggerAction(key == Qt::Key_Down || key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                                            : QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Plus: pages_->step_zoom(1); return true;
    case Qt::Key_Minus: pages_->step_zoom(-1); return true;
    case Qt::Key_Escape: button_released(1); return true;
    default: return false;
    }
}

void preview::keyPressEvent(QKeyEvent* event)
{
    if (pages_ && take_key(event->key()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

// Ctrl with the wheel zooms a step for every notch.
void preview::wheelEvent(QWheelEvent* event)
{
    if (!pages_ || !(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    event->accept();
    constexpr int notch = 120;
    wheel_turned_ += event->angleDelta().y();
    for (; wheel_turned_ >= notch; wheel_turned_ -= notch)
        pages_->step_zoom(1);
    for (; wheel_turned_ <= -notch; wheel_turned_ += notch)
        pages_->step_zoom(-1);
}

void preview::closeEvent(QCloseEvent* event)
{
    // Closing the window is what the close button does; it is only hidden.
    if (pages_)
        pages_->preview_closed();
    event->accept();
}

std::shared_ptr<preview> preview_window(const QStringList& reported)
{
    std::shared_ptr<preview> window = the_window.lock();
    if (!window) {
        window = std::make_shared<preview>(reported);
        the_window = window;
    }
    return window;
}

}  // namespace qid
