#include "platform/input_shield.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

namespace qid::platform {

namespace {

// What a user does with a window; everything else (painting, closing,
// hovering) goes on as usual.
bool is_input(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

}  // namespace

void InputShield::engage()
{
    release();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &owner_ && w->isVisible())
            shielded_.append(w);
    if (shielded_.isEmpty())
        return;
    // The window system keeps an owner that is a dialog above the window it
    // was opened from.
    QWidget* from = QApplication::activeWindow();
    if (!from || from == &owner_)
        from = shielded_.front();
    if (owner_.windowHandle() && from->windowHandle())
        owner_.windowHandle()->setTransientParent(from->windowHandle());
    qApp->installEventFilter(this);
}

void InputShield::release()
{
    if (shielded_.isEmpty())
        return;
    qApp->removeEventFilter(this);
    shielded_.clear();
}

bool InputShield::shields(const QObject* watched) const
{
    const auto* w = qobject_cast<const QWidget*>(watched);
    if (!w)
        return false;
    const QWidget* window = w->window();
    for (const QPointer<QWidget>& s : shielded_)
        if (s == window)
            return true;
    return false;
}

bool InputShield::eventFilter(QObject* watched, QEvent* event)
{
    if (!is_input(event->type()) || !shields(watched))
        return false;
    // A shortcut that the dropped key would start is not taken either.
    event->accept();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        owner_.raise();
        owner_.activateWindow();
    }
    return true;
}

}  // namespace qid::platform
