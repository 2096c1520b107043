#include "msgbox/mbx.h"

#include <algorithm>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "msgbox/mesage_box.h"
#include "platform/host.h"
#include "platform/messages.h"
#include "core/numbers.h"
#include "core/shared.h"

namespace qid {

namespace {

// The buttons of each set, left to right, as indexes of the control table.
// A set outside 0 to 5 gets OK alone, so every box can be answered.
std::vector<int> button_set(int vb)
{
    switch (vb) {
    case 1: return {0, 1};
    case 2: return {4, 5, 6};
    case 3: return {1, 2, 3};
    case 4: return {2, 3};
    case 5: return {5, 1};
    default: return {0};
    }
}

int known_buttons(int vb)
{
    return vb >= 0 && vb <= 5 ? vb : 0;
}

// Only the four listed icon values have a holder; anything else shows none.
int known_icon(int icon)
{
    switch (icon) {
    case platform::icon_critical:
    case platform::icon_question:
    case platform::icon_exclamation:
    case platform::icon_information: return icon;
    default: return platform::icon_none;
    }
}

}  // namespace

mbx::mbx()
    : window(mesage_box::instance())
    , ctl{window.Command1, window.Command2, window.Command4, window.Command3, window.Command5,
          window.Command6, window.Command7, window.Label1, window.mes_icon, window.Text1}
    , screen_w(platform::host().screen().width)
{
}

void mbx::message_box(const QString& txt, int vb, int icon, const QString& ttl, int tp, int lft)
{
    show_box(txt, vb, icon, ttl, tp, lft, false, QString());
}

QVariant mbx::message_bx(const QString& txt, int vb, int icon, const QString& ttl, int tp, int lft)
{
    return show_box(txt, vb, icon, ttl, tp, lft, false, QString());
}

QString mbx::input_box(const QString& txt, int icon, const QString& ttl, const QString& deflt, int tp, int lft)
{
    return show_box(txt, 1, icon, ttl, tp, lft, true, deflt).toString();
}

QVariant mbx::show_box(const QString& txt, int vb, int icon, const QString& ttl, int tp, int lft, bool input,
                       const QString& deflt)
{
    vb = known_buttons(vb);
    icon = known_icon(icon);
    lay_out(txt, vb, tp, lft, input);
    show_icon(icon);
    window.setWindowTitle(ttl);
    // An empty default leaves the line empty, never the previous box's answer.
    if (input)
        window.Text1->setText(deflt);

    platform::MessageRequest request;
    request.text = txt;
    request.title = ttl;
    request.buttons = vb;
    request.icon = icon;
    request.own_box = true;
    request.input = input;
    request.deflt = deflt;
    request.show = [this] { return window.show_modal(); };
    const platform::MessageAnswer answer = platform::message_seam().ask(request);

    if (answer.response == platform::answer_cancel)
        page_err = true;
    if (!input)
        window.set_response(answer.response);
    else
        window.set_response(answer.response == platform::answer_ok ? answer.text : QString());
    return window.response();
}

void mbx::lay_out(const QString& txt, int vb, int tp, int lft, bool input)
{
    const float s = window.scle_factor();

    for (int i = 0; i < 7; ++i)
        ctl[i]->hide();
    const std::vector<int> row = button_set(vb);
    for (std::size_t k = 0; k < row.size(); ++k) {
        QWidget* button = ctl[row[k]];
        TwipRect r = window.twips(button);
        r.left = btn_x[k] * s;
        window.set_twips(button, r);
        button->show();
    }

    const QSizeF extent = window.text_extent(txt);
    const float th = static_cast<float>(extent.height());
    const float tw = static_cast<float>(extent.width());
    float label_h = th + 240 * s;
    float label_w = std::max(tw + 240 * s, 4500 * s);
    const bool wraps = label_w > 8000 * s;
    if (wraps) {
        label_w = 8000 * s;
        label_h += 240 * s;
    }
    const float w = window.twips(ctl[8]).width + label_w + 600 * s;
    const float left = lft != 0 ? static_cast<float>(lft) : (screen_w - w) / 2;

    window.Label1->setText(display_text(txt));
    TwipRect label = window.twips(ctl[7]);
    label = {label.left, 200 * s, label_w, label_h};
    window.set_twips(ctl[7], label);
    // A text of three or more wrapped lines would not fit in one extra line:
    // the label grows to hold all of it.
    if (wraps && window.wrapped_label_height() > label.height) {
        label.height = window.wrapped_label_height() + 240 * s;
        window.set_twips(ctl[7], label);
    }

    std::int16_t button_top = 0;
    if (input) {
        const float answer_top = label.height + 200 * s + 200 * s;
        const float text_w = w - 600 * s;
        window.set_twips(ctl[9], {(w - text_w) / 2, answer_top, text_w, 420 * s});
        ctl[9]->show();
        button_top = clamp_int16(round_half_even(answer_top + window.twips(ctl[9]).height + 200 * s));
    } else {
        button_top = clamp_int16(round_half_even(label.height + 200 * s + 200 * s));
        ctl[9]->hide();
    }

    for (int i = 0; i < 7; ++i) {
        TwipRect r = window.twips(ctl[i]);
        r.top = button_top;
        window.set_twips(ctl[i], r);
    }
    const float height = button_top + window.twips(ctl[0]).height + 200 * s + 400;
    window.set_twips(&window, {left, static_cast<float>(tp), w, height});
}

void mbx::show_icon(int icon)
{
    auto* picture = static_cast<QLabel*>(ctl[8]);
    if (icon == platform::icon_none || window.Image1[icon / 16 - 1].isNull()) {
        picture->clear();
        return;
    }
    const QPixmap& source = window.Image1[icon / 16 - 1];
    const QSize box = picture->size();
    picture->setPixmap(source.width() > box.width() || source.height() > box.height()
                           ? source.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                           : source);
}

}  // namespace qid
