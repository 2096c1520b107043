#pragma once
// The appearance of the program's message window (font, size, scale,
// colours) and the pictures it shows.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QString>

class QColor;
class QPixmap;
class QWidget;

namespace qid {

class mbx;
class mesage_box;

class MsgBx {
public:
    // Checks the window's icon and the four message icons in the program
    // folder, in that order, and reports the first that cannot be read. The
    // window takes the pictures before that one, and whatever modify and
    // defaults give, when it is first needed (at once when it exists), so
    // that a program shows its first box as if the style had been applied
    // when it started.
    MsgBx();
    // A style let go before any box was needed never reaches the window.
    ~MsgBx();
    MsgBx(const MsgBx&) = delete;
    MsgBx& operator=(const MsgBx&) = delete;

    // Applies each item that is given: fnt not "", sz > 5, sc not 1 and > 0,
    // colours (red + 256 green + 65536 blue) > 0.
    void modify(const QString& fnt, std::int16_t sz, float sc, std::int32_t bg_clr, std::int32_t bu_clr);
    // Resets each item whose argument is 1: font "Microsoft Sans Serif",
    // size 10, scale 1, background RGB 224, 224, 224, buttons 192, 192, 192.
    void defaults(std::int16_t fn, std::int16_t sz, float sc, std::int16_t bg, std::int16_t bu);

private:
    // The error number of the first picture that cannot be read, 0 when all can.
    int check_pictures();
    // The window is made: its controls, scale 1, the pictures, then what waited.
    void attach();
    void load_pictures();
    void when_ready(std::function<void()> step);
    void report(int e, const QString& file, const QString& p);
    mbx& own_box();

    void set_font(const QString& f);
    void apply_font(const QString& f);
    void set_size(float z);
    void set_scale(float c);
    void set_back_colour(const QColor& c);
    void set_button_colour(const QColor& c);

    QString app_path;  // the program folder followed by "/"
    mesage_box* window = nullptr;  // once it is made
    // 0 to 6 the buttons (as in mbx), 7 Label1, 8 Text1, 9 mes_icon.
    std::array<QWidget*, 10> ctl{};
    // The window's icon, then the icons of the message box, 1 to 4.
    std::array<QString, 5> picture_file{"graphics/Ostrel.ico", "graphics/ms_crit.gif", "graphics/ms_ques.gif",
                                        "graphics/ms_exclam.gif", "graphics/ms_info.gif"};
    std::size_t readable = 0;  // the pictures before the first that cannot be read
    std::vector<std::function<void()>> waiting;  // for the window
    std::unique_ptr<mbx> own;  // for this object's own messages, made when first needed
};

}  // namespace qid
