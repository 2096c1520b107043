#pragma once
// A control handle without a widget, for tests of code that reads and fills
// controls through the control table.
#include <QStringList>

#include "platform/control.h"

namespace qid::testing {

class FakeControl final : public platform::Control {
public:
    explicit FakeControl(QString name = QString(), int index = 0) : name_(std::move(name)), index_(index) {}

    QString name() const override { return name_; }
    int index() const override { return index_; }
    QString caption() const override { return caption_; }
    void set_caption(const QString& text) override { caption_ = text; }
    bool visible() const override { return visible_; }
    void set_visible(bool on) override { visible_ = on; }
    void add_item(const QString& text) override { items_.append(text); }
    void clear_items() override { items_.clear(); selection_ = -1; }
    int item_count() const override { return static_cast<int>(items_.size()); }
    QString item(int i) const override { return i >= 0 && i < items_.size() ? items_[i] : QString(); }
    int list_index() const override { return selection_; }
    void set_list_index(int i) override { selection_ = i >= 0 && i < items_.size() ? i : -1; }
    int value() const override { return value_; }
    void set_value(int v) override { value_ = v; }
    platform::Twips geometry() const override { return geometry_; }
    void set_geometry(const platform::Twips& g) override { geometry_ = g; }
    QString font_name() const override { return font_name_; }
    void set_font_name(const QString& name) override { font_name_ = name; }
    double font_size() const override { return font_size_; }
    void set_font_size(double points) override { font_size_ = points; }
    void set_back_colour(int) override {}

    const QStringList& items() const { return items_; }

private:
    QString name_;
    int index_;
    QString caption_;
    bool visible_ = true;
    QStringList items_;
    int selection_ = -1;
    int value_ = 0;
    platform::Twips geometry_;
    QString font_name_;
    double font_size_ = 0;
};

}  // namespace qid::testing
