#include "platform/image_button.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qid::platform {

namespace {

constexpr Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

bool plain_left(const QMouseEvent* event)
{
    return event->button() == Qt::LeftButton && (event->modifiers() & held) == 0;
}

// Space, Return and the keypad's Enter work the button; Tab and the rest
// pass on to the window.
bool button_key(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Screen readers see a button named by its word, with a press action.
class ImageButtonAccessible final : public QAccessibleWidget {
public:
    explicit ImageButtonAccessible(ImageButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override
    {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // A hidden button cannot be clicked, nor pressed this way.
        if (widget()->isVisible())
            static_cast<ImageButton*>(widget())->release();
    }
};

QAccessibleInterface* accessible_image_button(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String(ImageButton::staticMetaObject.className()) && object->isWidgetType())
        return new ImageButtonAccessible(static_cast<ImageButton*>(object));
    return nullptr;
}

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QLabel(parent)
{
    static const bool factory_installed = [] {
        QAccessible::installFactory(accessible_image_button);
        return true;
    }();
    (void)factory_installed;
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::set_pictures(const QPixmap& released, const QPixmap& pressed)
{
    released_ = released;
    pressed_ = pressed;
    show_look(false);
    resize(released.size().grownBy(contentsMargins()));
}

void ImageButton::set_focus_margin(int pixels)
{
    const QSize picture = size().shrunkBy(contentsMargins());
    setContentsMargins(pixels, pixels, pixels, pixels);
    resize(picture.grownBy(contentsMargins()));
}

void ImageButton::show_look(bool pressed)
{
    pressed_look_ = pressed;
    setPixmap(pressed ? pressed_ : released_);
}

void ImageButton::release()
{
    show_look(false);
    emit activated();
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
    if (plain_left(event))
        release();
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    if (!button_key(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    // A key held down repeats; the button works once per press.
    if (event->isAutoRepeat() || (event->modifiers() & held) != 0)
        return;
    key_down_ = event->key();
    show_look(true);
}

void ImageButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!button_key(event)) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // Only the release of the key that pressed this button acts: the release
    // of an Enter that closed a message box lands here too, and must not.
    if (event->isAutoRepeat() || event->key() != key_down_ || (event->modifiers() & held) != 0)
        return;
    key_down_ = 0;
    release();
}

void ImageButton::focusOutEvent(QFocusEvent* event)
{
    // The key's release will go elsewhere: do not leave the button looking pressed.
    if (key_down_ != 0) {
        key_down_ = 0;
        show_look(false);
    }
    QLabel::focusOutEvent(event);
}

void ImageButton::hideEvent(QHideEvent* event)
{
    // Hidden, the button still holds the focus until it is handed on.
    if (hasFocus() && successor_)
        if (QWidget* next = successor_(); next && next->isVisible())
            next->setFocus(Qt::OtherFocusReason);
    QLabel::hideEvent(event);
}

void ImageButton::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    if (contentsMargins().left() > 0) {
        // A dotted dark frame round the picture, clear on the window around it.
        QPen dots(Qt::black, 1, Qt::CustomDashLine);
        dots.setDashPattern({1, 1});
        p.setPen(dots);
        p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        return;
    }
    // A dotted pale frame inside the face, clear on the dark green pictures.
    p.setPen(QPen(QColor(255, 236, 150), 2, Qt::DotLine));
    p.drawRect(QRectF(rect()).adjusted(5, 5, -5, -5));
}

}  // namespace qid::platform
