#pragma once
// The control handle over a real Qt widget: labels, frames, list boxes, text
// boxes, check boxes, option buttons and pictures. The widget's object name is
// its control-array name and its "index" property its index.
#include <optional>

#include "platform/control.h"

class QWidget;

namespace qid::platform {

class QtControl final : public Control {
public:
    // Tags the widget with its name and index and wraps it (not owned).
    QtControl(QWidget* widget, const QString& name, int index);

    QWidget* widget() const { return widget_; }

    QString name() const override { return name_; }
    int index() const override { return index_; }
    QString caption() const override;
    void set_caption(const QString& text) override;
    bool visible() const override;
    void set_visible(bool on) override;
    void add_item(const QString& text) override;
    void clear_items() override;
    void set_items(int count, std::function<QString(int)> text) override;
    int item_count() const override;
    QString item(int i) const override;
    int list_index() const override;
    void set_list_index(int i) override;
    int value() const override;
    void set_value(int v) override;
    Twips geometry() const override;
    void set_geometry(const Twips& g) override;
    QString font_name() const override;
    void set_font_name(const QString& name) override;
    double font_size() const override;
    void set_font_size(double points) override;
    void set_back_colour(int rgb) override;

    // A label that sizes itself to its caption (its size hint), as the credit labels do.
    void set_auto_size(bool on);

private:
    void fit_to_caption();

    QWidget* widget_;
    QString name_;
    int index_;
    bool auto_size_ = false;
    // The geometry last given in twips, kept so that reading it back does not
    // suffer from the rounding to whole pixels.
    std::optional<Twips> twips_;
};

// An RGB colour value (red + 256 x green + 65536 x blue); defined with the drawing targets.
int rgb_value(int red, int green, int blue);

}  // namespace qid::platform
