#pragma once
// A picture that works as a button: it shows its pressed picture while the
// left button is down and acts when that button is released. Presses and
// releases with another button, or with Shift, Ctrl or Alt held, do nothing,
// so a press released with a modifier keeps the pressed picture and does not act.
//
// From the keyboard the button takes focus in the tab chain and shows a
// focus mark; Space or Enter does what the left button does, the pressed
// picture on the key press and the action on the key release.
#include <functional>

#include <QLabel>
#include <QPixmap>

namespace qid::platform {

class ImageButton final : public QLabel {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);

    // The released and pressed pictures; the button takes the released one's
    // size, and its focus margin all round.
    void set_pictures(const QPixmap& released, const QPixmap& pressed);
    // Pixels left round the picture, where the focus mark is then drawn; with
    // none the mark is drawn on the picture, inside its edge.
    void set_focus_margin(int pixels);
    bool shows_pressed() const { return pressed_look_; }

    // What a plain release does: the released picture, then the action.
    void release();

    // Where the focus goes when the button is hidden while it has it (its
    // own action may hide it); without one, or when the widget named is not
    // shown, the focus moves on along the tab chain.
    void set_focus_on_hide(std::function<QWidget*()> successor) { successor_ = std::move(successor); }

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void show_look(bool pressed);

    QPixmap released_;
    QPixmap pressed_;
    bool pressed_look_ = false;
    // The key whose press showed the pressed picture; 0 when none is down.
    int key_down_ = 0;
    std::function<QWidget*()> successor_;
};

}  // namespace qid::platform
