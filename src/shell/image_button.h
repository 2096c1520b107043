#pragma once
// A picture that works as a button: it shows its pressed picture while the
// left button is down and acts when that button is released. Presses and
// releases with another button, or with Shift, Ctrl or Alt held, do nothing,
// so a press released with a modifier keeps the pressed picture and does not act.
#include <QLabel>
#include <QPixmap>

namespace qid {

class ImageButton final : public QLabel {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);

    // The released and pressed pictures; the button takes the released one's size.
    void set_pictures(const QPixmap& released, const QPixmap& pressed);
    bool shows_pressed() const { return pressed_look_; }

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void show_look(bool pressed);

    QPixmap released_;
    QPixmap pressed_;
    bool pressed_look_ = false;
};

}  // namespace qid
