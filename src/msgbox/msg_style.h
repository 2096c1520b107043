#pragma once
// The appearance of the program's message window (font, size, scale,
// colours) and the pictures it shows.
#include <array>
#include <cstdint>
#include <memory>

#include <QString>

class QColor;
class QPixmap;
class QWidget;

namespace qid {

class mbx;
class mesage_box;

class MsgBx {
public:
    // Loads the window's icon and the four message icons from the program
    // folder; a picture that cannot be loaded is reported and the box works
    // without it.
    MsgBx();

    // Applies each item that is given: fnt not "", sz > 5, sc not 1 and > 0,
    // colours (red + 256 green + 65536 blue) > 0.
    void modify(const QString& fnt, std::int16_t sz, float sc, std::int32_t bg_clr, std::int32_t bu_clr);
    // Resets each item whose argument is 1: font "Microsoft Sans Serif",
    // size 10, scale 1, background RGB 224, 224, 224, buttons 192, 192, 192.
    void defaults(std::int16_t fn, std::int16_t sz, float sc, std::int16_t bg, std::int16_t bu);

private:
    bool load_pictures();
    bool load(const QString& name, QPixmap& into);
    void report(int e, const QString& file, const QString& p);
    mbx& own_box();

    void set_font(const QString& f);
    void apply_font(const QString& f);
    void set_size(float z);
    void set_scale(float c);
    void set_back_colour(const QColor& c);
    void set_button_colour(const QColor& c);

    QString app_path;  // the program folder followed by "/"
    mesage_box& window;
    // 0 to 6 the buttons (as in mbx), 7 Label1, 8 Text1, 9 mes_icon.
    std::array<QWidget*, 10> ctl{};
    std::array<QString, 4> icon_file{"graphics/ms_crit.gif", "graphics/ms_ques.gif", "graphics/ms_exclam.gif",
                                     "graphics/ms_info.gif"};
    std::unique_ptr<mbx> own;  // for this object's own messages, made when first needed
};

}  // namespace qid
