#include "platform/qt_control.h"

#include <cmath>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QRadioButton>

#include "platform/host.h"
#include "platform/text_list_model.h"

namespace qid::platform {

QtControl::QtControl(QWidget* widget, const QString& name, int index)
    : widget_(widget), name_(name), index_(index)
{
    widget_->setObjectName(name);
    widget_->setProperty("index", index);
}

QString QtControl::caption() const
{
    if (auto* label = qobject_cast<QLabel*>(widget_))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget_))
        return frame->title();
    if (auto* edit = qobject_cast<QLineEdit*>(widget_))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        return button->text();
    return widget_->windowTitle();
}

void QtControl::set_caption(const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(widget_))
        label->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget_))
        frame->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget_))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        button->setText(text);
    else
        widget_->setWindowTitle(text);
    if (auto_size_)
        fit_to_caption();
}

bool QtControl::visible() const
{
    return !widget_->isHidden();
}

void QtControl::set_visible(bool on)
{
    widget_->setVisible(on);
}

namespace {

// The list boxes: a QListWidget, or a view over a list whose entries are
// made when shown (the long result list, which is refilled in one reset).
QAbstractItemView* list_view(QWidget* w)
{
    return qobject_cast<QAbstractItemView*>(w);
}

TextListModel* text_model(const QAbstractItemView* view)
{
    return view ? dynamic_cast<TextListModel*>(view->model()) : nullptr;
}

}  // namespace

void QtControl::add_item(const QString& text)
{
    if (auto* list = qobject_cast<QListWidget*>(widget_))
        list->addItem(text);
    else if (TextListModel* model = text_model(list_view(widget_)))
        model->append(text);
}

void QtControl::clear_items()
{
    set_items(0, {});
}

void QtControl::set_items(int count, std::function<QString(int)> text)
{
    if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        list->clear();
        for (int i = 0; i < count; ++i)
            list->addItem(text(i));
    } else if (TextListModel* model = text_model(list_view(widget_))) {
        model->set(count, std::move(text));
    }
}

int QtControl::item_count() const
{
    const QAbstractItemView* list = list_view(widget_);
    return list ? list->model()->rowCount() : 0;
}

QString QtControl::item(int i) const
{
    const QAbstractItemView* list = list_view(widget_);
    if (!list || i < 0 || i >= list->model()->rowCount())
        return QString();
    return list->model()->index(i, 0).data().toString();
}

int QtControl::list_index() const
{
    const QAbstractItemView* list = list_view(widget_);
    if (!list)
        return -1;
    const QModelIndexList chosen = list->selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? -1 : chosen.first().row();
}

void QtControl::set_list_index(int i)
{
    QAbstractItemView* list = list_view(widget_);
    if (!list)
        return;
    if (i < 0 || i >= list->model()->rowCount()) {
        list->clearSelection();
        list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::ClearAndSelect);
        return;
    }
    list->selectionModel()->setCurrentIndex(list->model()->index(i, 0), QItemSelectionModel::ClearAndSelect);
}

int QtControl::value() const
{
    auto* button = qobject_cast<QAbstractButton*>(widget_);
    return button && button->isChecked() ? 1 : 0;
}

void QtControl::set_value(int v)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        button->setChecked(v != 0);
}

Twips QtControl::geometry() const
{
    if (twips_)
        return *twips_;
    const QRect r = widget_->geometry();
    return {static_cast<int>(std::lround(pixels_to_twips(r.x()))),
            static_cast<int>(std::lround(pixels_to_twips(r.y()))),
            static_cast<int>(std::lround(pixels_to_twips(r.width()))),
            static_cast<int>(std::lround(pixels_to_twips(r.height())))};
}

void QtControl::set_geometry(const Twips& g)
{
    twips_ = g;
    widget_->setGeometry(twips_to_pixels(g.left), twips_to_pixels(g.top),
                         twips_to_pixels(g.width), twips_to_pixels(g.height));
}

QString QtControl::font_name() const
{
    return widget_->font().family();
}

void QtControl::set_font_name(const QString& name)
{
    QFont f = widget_->font();
    f.setFamily(name);
    widget_->setFont(f);
    if (auto_size_)
        fit_to_caption();
}

double QtControl::font_size() const
{
    return widget_->font().pointSizeF();
}

void QtControl::set_font_size(double points)
{
    if (!(points > 0))
        return;
    QFont f = widget_->font();
    f.setPointSizeF(points);
    widget_->setFont(f);
    if (auto_size_)
        fit_to_caption();
}

void QtControl::set_back_colour(int rgb)
{
    QPalette p = widget_->palette();
    const QColor colour(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    widget_->setPalette(p);
    widget_->setAutoFillBackground(true);
}

void QtControl::set_auto_size(bool on)
{
    auto_size_ = on;
    if (on)
        fit_to_caption();
}

void QtControl::fit_to_caption()
{
    // The widget knows best how much room its caption takes.
    const QSize size = widget_->sizeHint();
    Twips g = geometry();
    g.width = static_cast<int>(std::lround(pixels_to_twips(size.width())));
    g.height = static_cast<int>(std::lround(pixels_to_twips(size.height())));
    set_geometry(g);
}

}  // namespace qid::platform
