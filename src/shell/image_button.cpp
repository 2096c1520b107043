#include "shell/image_button.h"

#include <QMouseEvent>

namespace qid {

namespace {

bool plain_left(const QMouseEvent* event)
{
    constexpr Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return event->button() == Qt::LeftButton && (event->modifiers() & held) == 0;
}

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::set_pictures(const QPixmap& released, const QPixmap& pressed)
{
    released_ = released;
    pressed_ = pressed;
    show_look(false);
    resize(released.size());
}

void ImageButton::show_look(bool pressed)
{
    pressed_look_ = pressed;
    setPixmap(pressed ? pressed_ : released_);
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (plain_left(event))
        show_look(true);
    event->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!plain_left(event))
        return;
    show_look(false);
    emit activated();
}

}  // namespace qid
