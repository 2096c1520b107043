#pragma once
// The preview window: a strip with the zoom label, the print and close
// buttons, the page bar and the page caption; below it the page frame with
// the page surface, a vertical bar to its right and a horizontal bar under it.
// The window holds little logic: its controls pass every event to the
// document, which lays the window out and has the page recomposed.
#include <array>
#include <cstdint>
#include <memory>

#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include "platform/draw_target.h"
#include "platform/input_shield.h"
#include "platform/surface_target.h"

class QLabel;
class QScrollBar;

namespace qid {

namespace platform {
class ImageButton;
}

class PPpages;
struct PreviewView;

class preview final : public QWidget {
    Q_OBJECT
public:
    // Loads the pictures of its buttons; one that cannot be loaded is
    // reported, unless it is one of those `reported` already.
    explicit preview(const QStringList& reported = {});
    ~preview() override;
    // Reports each picture of the window that cannot be read, as making the
    // window would, and returns them.
    static QStringList check_pictures();

    void set_PPpages(PPpages* obj) { pages_ = obj; }
    PPpages* bound_pages() const { return pages_; }
    void set_page_num(std::int16_t n) { current_page_ = n; }
    // The page bar's range and value, and the caption of the page it shows.
    void set_bar_range(int max, int min, int value);

    // Places every control as the view says (lengths in twips); the window is
    // never narrower than its strip.
    void arrange(const PreviewView& view);
    // Shows the window at its own place on the screen, every time it is shown.
    void show_at(const PreviewView& view);
    // The page surface as drawn on, and what loads the pictures placed on pages.
    platform::SurfaceTarget& surface() { return surface_; }
    platform::PictureBox& graphic_box() { return graphic_box_; }
    void set_surface_cursor(bool zoom_out);
    // Shows the page just composed on the surface.
    void repaint_surface();
    void set_zoom_caption(const QString& text);

    // Controls, by their names in the window.
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    platform::ImageButton* Image1(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
    QLabel* cursor_holder(int index) const { return cursor_holders_.at(static_cast<std::size_t>(index - 4)); }
    QWidget* Picture1() const { return picture1_; }
    QWidget* Picture2() const { return picture2_; }
    QScrollBar* FlatScrollBar(int n) const { return bars_.at(static_cast<std::size_t>(n - 1)); }
    std::int16_t current_page() const { return current_page_; }

    // Arrows of a bar at this value: 2 only right/down at its minimum, 1 only
    // left/up at its maximum, 0 both.
    static void set_arrows(int value, QScrollBar* bar);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void build();
    void load_pictures(const QStringList& reported);
    void button_released(int index);
    void page_bar_changed(int value);
    void show_page(std::int16_t n);
    void surface_pressed(Qt::MouseButton button);
    void show_caption(int value, int count);
    // The keys of the preview; false for any other key.
    bool take_key(int key);
    int strip_width() const;

    PPpages* pages_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    std::array<platform::ImageButton*, 2> buttons_{};
    std::array<QLabel*, 2> cursor_holders_{};
    QWidget* picture1_ = nullptr;
    QWidget* picture2_ = nullptr;
    std::array<QScrollBar*, 3> bars_{};
    // ImageList1: released and pressed print button, released and pressed close button.
    std::array<QPixmap, 4> image_list_;
    platform::SurfaceTarget surface_;
    platform::FilePictureBox graphic_box_;
    platform::InputShield shield_{*this};
    int wheel_turned_ = 0;  // eighths of a degree not yet taken as a zoom step

    std::int16_t page_count_ = 0;
    std::int16_t first_page_ = 0;
    std::int16_t last_page_ = 0;
    std::int16_t current_page_ = 0;
    float zoom_factor_ = 1.0f;
    bool activated_ = false;
};

// The single preview window, created when none exists (without reporting the
// pictures `reported` already) and hidden between uses. It is unloaded when
// the last holder lets it go.
std::shared_ptr<preview> preview_window(const QStringList& reported = {});

}  // namespace qid
