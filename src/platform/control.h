#pragma once
// A handle on one control of a window, with the properties the rest of the
// program uses. Controls are reached through these handles (by slot of the
// control table), so code that reads or fills them can be tested without Qt
// widgets. Geometry is in twips of the window's design surface.
#include <functional>

#include <QString>

namespace qid::platform {

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class Control {
public:
    virtual ~Control() = default;

    // Identity: the control-array name and the index within it.
    virtual QString name() const = 0;
    virtual int index() const = 0;

    // Caption of a label, frame, check box or option; text of a text box.
    virtual QString caption() const = 0;
    virtual void set_caption(const QString& text) = 0;

    virtual bool visible() const = 0;
    virtual void set_visible(bool on) = 0;

    // List boxes: items in the order added; selection -1 means none.
    virtual void add_item(const QString& text) = 0;
    virtual void clear_items() = 0;
    // Replaces every item at once by `count` items, item i reading text(i).
    // A list that makes its items only when it shows them fills a long list
    // in no time.
    virtual void set_items(int count, std::function<QString(int)> text)
    {
        clear_items();
        for (int i = 0; i < count; ++i)
            add_item(text(i));
    }
    virtual int item_count() const = 0;
    virtual QString item(int i) const = 0;
    virtual int list_index() const = 0;
    virtual void set_list_index(int i) = 0;

    // Check boxes and options: 1 ticked / selected, 0 not.
    virtual int value() const = 0;
    virtual void set_value(int v) = 0;

    virtual Twips geometry() const = 0;
    virtual void set_geometry(const Twips& g) = 0;

    virtual QString font_name() const = 0;
    virtual void set_font_name(const QString& name) = 0;
    virtual double font_size() const = 0;
    virtual void set_font_size(double points) = 0;

    // Background colour as red + 256 x green + 65536 x blue.
    virtual void set_back_colour(int rgb) = 0;
};

}  // namespace qid::platform
