#include "explain/explain_windows.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "explain/next_look_window.h"
#include "explain/why_not_window.h"

namespace qid {

namespace {

// The focus of a list without entries, which has none to mark: a frame
// round the list, drawn by the style as it marks any focus.
class EmptyFocusMark final : public QWidget {
public:
    explicit EmptyFocusMark(QAbstractItemView* list) : QWidget(list->viewport()), list_(list)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    void follow()
    {
        const bool on = list_->hasFocus() && list_->model() && list_->model()->rowCount() == 0;
        if (on)
            setGeometry(list_->viewport()->rect());
        setVisible(on);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    QAbstractItemView* list_;
};

// Opens the menu at the mouse, or from the keyboard at the current entry.
class ResultMenu final : public QObject {
public:
    ResultMenu(QAbstractItemView* list, ExplainWindows& windows)
        : QObject(list), list_(list), windows_(windows), mark_(new EmptyFocusMark(list))
    {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { open(list_->viewport()->mapToGlobal(at)); });
        connect(list->model(), &QAbstractItemModel::modelReset, mark_, &EmptyFocusMark::follow);
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut || event->type() == QEvent::Resize)
            mark_->follow();
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
                open(keyboard_point());
                return true;
            }
        }
        // Some platforms follow the Menu key with a context-menu event of
        // their own; the key has opened the menu already.
        return event->type() == QEvent::ContextMenu
            && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
    }

private:
    QPoint keyboard_point() const
    {
        const QRect item = list_->visualRect(list_->currentIndex());
        const QPoint at = item.isValid() ? item.bottomLeft() : QPoint(0, 0);
        return list_->viewport()->mapToGlobal(at);
    }

    void open(const QPoint& global)
    {
        auto* menu = new QMenu(list_);
        menu->setObjectName(QStringLiteral("result_menu"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(QStringLiteral("&Why not…"), this, [this] { windows_.open_why_not(); });
        menu->addAction(QStringLiteral("What to look at &next…"), this, [this] { windows_.open_next_look(); });
        menu->popup(global);
        menu->setActiveAction(menu->actions().front());
    }

    QAbstractItemView* list_;
    ExplainWindows& windows_;
    EmptyFocusMark* mark_;
};

void bring_up(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

ExplainWindows::ExplainWindows(QWidget* owner) : QObject(owner), owner_(owner) {}

void ExplainWindows::make_windows()
{
    if (why_not_)
        return;
    why_not_ = new WhyNotWindow(owner_);
    next_look_ = new NextLookWindow(owner_);
    set_help(help_);
}

ExplainWindows::~ExplainWindows() = default;

void ExplainWindows::follow(const CascadeView& view)
{
    if (list_ && view.empty_step >= 0)
        list_->setFocusPolicy(Qt::StrongFocus);
    view_ = view;
    stale_ = true;
    why_not_current_ = next_look_current_ = false;
    refresh();
}

// Brings the open windows up to date; a hidden one waits until it is opened.
void ExplainWindows::refresh()
{
    const bool why_not = why_not_ && why_not_->isVisible() && !why_not_current_;
    const bool next_look = next_look_ && next_look_->isVisible() && !next_look_current_;
    if (!view_.table || (!why_not && !next_look))
        return;
    if (stale_) {
        const int step = view_.empty_step >= 0 ? view_.empty_step : view_.shown;
        explanation_ = step < 0 ? nullptr
                                : std::make_shared<const Explanation>(
                                      explain(*view_.table, view_.seen, view_.factors, step));
        stale_ = false;
    }
    if (why_not) {
        why_not_->show_explanation(explanation_, *view_.table);
        why_not_current_ = true;
    }
    if (next_look) {
        if (!index_)
            index_ = std::make_unique<ItemIndex>(*view_.table);
        next_look_->show_explanation(explanation_, *index_);
        next_look_current_ = true;
    }
}

void ExplainWindows::open_why_not()
{
    make_windows();
    bring_up(why_not_);
    // Opened anew, the window starts a new search.
    why_not_->search()->clear();
    why_not_->search()->setFocus(Qt::OtherFocusReason);
    refresh();
}

void ExplainWindows::open_next_look()
{
    make_windows();
    bring_up(next_look_);
    refresh();
}

void ExplainWindows::set_help(std::function<void()> help)
{
    help_ = std::move(help);
    if (why_not_) {
        why_not_->help = help_;
        next_look_->help = help_;
    }
}

void attach_result_menu(QAbstractItemView* list, ExplainWindows& windows)
{
    new ResultMenu(list, windows);
    windows.list_ = list;
}

}  // namespace qid
