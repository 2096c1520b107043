#pragma once
// QID_main, the program's main window: four framed groups of observation
// controls, the result list under its heading, five image buttons, the
// instruction text and the background picture, laid out in twips of the
// 19200 x 13900 design surface.
#include <array>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QPixmap>

#include "platform/qt_control.h"

class QAction;

namespace qid {

namespace platform {
class ImageButton;
}

class BackgroundPicture;
class ExplainWindows;

class QID_main final : public QMainWindow {
    Q_OBJECT
public:
    QID_main();
    ~QID_main() override;

    // The load handler: the button pictures, start-up, then the window is
    // ready. False when the program cannot start (already reported).
    bool load();

    // A control by control-array name and index; nullptr when there is none.
    platform::QtControl* control(const QString& name, int index = 0) const;
    // Every control of the window in the window's own order.
    const std::vector<std::unique_ptr<platform::QtControl>>& controls() const { return controls_; }

    platform::ImageButton* image_button(int i) const { return buttons_.at(static_cast<std::size_t>(i)); }
    QWidget* background() const;
    // The picture the background shows, decoded when first drawn at the size it is drawn.
    void set_background(const QString& path);
    QWidget* surface() const { return surface_; }
    QAction* exit_action() const { return exit_; }
    // "Why not…" and "What to look at next…", opened from the result list's menu.
    ExplainWindows* explain_windows() const { return explain_; }

    // The ten pictures of the image buttons: 2i + 1 released, 2i + 2 pressed (1-based).
    const QPixmap& image_list(int index) const { return image_list_.at(static_cast<std::size_t>(index - 1)); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    void build_menu();
    void connect_edits();
    void set_tab_order();
    void connect_menu();
    bool fill_image_list();
    void press(int button);
    void connect_explain_windows();
    platform::QtControl* add(QWidget* widget, const QString& name, int index, const platform::Twips& design,
                             const QString& font, double size, bool bold = false);

    QWidget* surface_ = nullptr;
    BackgroundPicture* background_ = nullptr;
    std::array<platform::ImageButton*, 5> buttons_{};
    std::vector<std::unique_ptr<platform::QtControl>> controls_;
    std::array<QPixmap, 10> image_list_;
    QAction* exit_ = nullptr;
    ExplainWindows* explain_ = nullptr;
};

}  // namespace qid
