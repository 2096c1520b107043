#pragma once
// The program's own message and input boxes: fills and lays out the one
// message window, asks through the message seam and returns the answer.
#include <array>
#include <cstdint>

#include <QString>
#include <QVariant>

class QWidget;

namespace qid {

class mesage_box;

class mbx {
public:
    mbx();

    // Shows txt with the buttons of set vb (0 OK; 1 OK CANCEL; 2 ABORT RETRY
    // IGNORE; 3 CANCEL YES NO; 4 YES NO; 5 RETRY CANCEL), the icon (0 none,
    // 16 critical, 32 question, 48 exclamation, 64 information) and the title
    // ttl; the window's top at tp and its left edge at lft, in twips of the
    // screen (lft 0 centres it). Returns when a button is pressed.
    void message_box(const QString& txt, int vb, int icon, const QString& ttl, int tp, int lft);
    // The same; returns the number of the button pressed (1 OK ... 7 NO).
    QVariant message_bx(const QString& txt, int vb, int icon, const QString& ttl, int tp, int lft);
    // Asks for a line of text with OK and CANCEL, the line pre-filled with
    // deflt; returns the typed text on OK and "" on CANCEL.
    QString input_box(const QString& txt, int icon, const QString& ttl, const QString& deflt, int tp, int lft);

private:
    QVariant show_box(const QString& txt, int vb, int icon, const QString& ttl, int tp, int lft, bool input,
                      const QString& deflt);
    void lay_out(const QString& txt, int vb, int tp, int lft, bool input);
    void show_icon(int icon);

    mesage_box& window;
    // 0 Command1, 1 Command2, 2 Command4, 3 Command3, 4 Command5, 5 Command6,
    // 6 Command7, 7 Label1, 8 mes_icon, 9 Text1 (the icon holders follow in
    // the window).
    std::array<QWidget*, 10> ctl{};
    std::array<std::int16_t, 3> btn_x{300, 1750, 3200};
    // Screen width in twips, read at creation. Wider than 16 bits: a screen
    // of 2280 pixels or more at 96 DPI already exceeds 32767 twips.
    std::int32_t screen_w = 0;
};

}  // namespace qid
