#pragma once
// The program's own modal message window: one instance for the whole run,
// hidden between boxes so that its appearance persists. Positions and sizes
// are kept in twips of the screen, as the box is laid out, and given to the
// widgets in pixels.
#include <array>
#include <functional>
#include <unordered_map>

#include <QDialog>
#include <QPixmap>
#include <QSizeF>
#include <QVariant>

#include "platform/messages.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qid {

struct TwipRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

class mesage_box final : public QDialog {
public:
    // The one window, created on first use and deleted with the application.
    static mesage_box& instance();
    // Has `ready` called once the window is made: at once when it has been,
    // else by the instance() that makes it, in the order asked.
    static void when_made(const void* owner, std::function<void()> ready);
    // Forgets what owner asked for and has not happened yet.
    static void forget(const void* owner);

    // The controls, under their design names.
    QLabel* Label1;
    QLabel* mes_icon;
    QLineEdit* Text1;
    QPushButton* Command1;  // OK
    QPushButton* Command2;  // CANCEL
    QPushButton* Command3;  // NO
    QPushButton* Command4;  // YES
    QPushButton* Command5;  // ABORT
    QPushButton* Command6;  // RETRY
    QPushButton* Command7;  // IGNORE
    // Icon holders: 0 critical, 1 question, 2 exclamation, 3 information.
    std::array<QPixmap, 4> Image1;

    // Geometry in twips of a control, or of the window itself (outer size,
    // title bar and borders included, as the layout counts them).
    TwipRect twips(const QWidget* control) const;
    void set_twips(QWidget* control, const TwipRect& r);

    // Width and height of a text in the window's font, in twips.
    QSizeF text_extent(const QString& txt) const;
    // Height in twips that Label1 needs to show its text wrapped at its width.
    float wrapped_label_height() const;

    QVariant response() const { return response_; }
    void set_response(const QVariant& r) { response_ = r; }
    void scale_factor(float s) { scale_ = s; }
    float scle_factor() const { return scale_; }

    // Shows the window modally until a button is pressed; returns the
    // button's answer and the answer line's text.
    platform::MessageAnswer show_modal();

protected:
    // Escape or the close box: the answer of CANCEL when the row has it,
    // otherwise of the row's last button, so a box always has an answer.
    void reject() override;

private:
    mesage_box();
    QPushButton* add_button(const char* caption, int answer);
    void press(int answer);

    std::unordered_map<const QWidget*, TwipRect> geometry_;
    std::array<std::pair<QPushButton*, int>, 7> answers_{};
    QVariant response_;
    int pressed_ = platform::answer_ok;
    float scale_ = 1.0f;
};

// Twips of text for display: the program's line breaks are CR LF.
QString display_text(const QString& txt);

}  // namespace qid
