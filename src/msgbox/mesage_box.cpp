#include "msgbox/mesage_box.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/host.h"

namespace qid {

namespace {

// The window's outer height counts the title bar and borders as 400 twips;
// the window manager draws those, so the client area is that much shorter.
constexpr float frame_allowance = 400.0f;

mesage_box* the_window = nullptr;
// What waits for the window to be made, by whom it was asked.
std::vector<std::pair<const void*, std::function<void()>>> waiting;

void delete_window()
{
    delete the_window;
    the_window = nullptr;
}

// Twips to pixels, kept within the 16-bit range of a control's geometry so
// that no caller's value can make a window of absurd size.
int px(float twips)
{
    if (std::isnan(twips))
        return 0;
    return platform::twips_to_pixels(std::clamp(twips, -32768.0f, 32767.0f));
}

}  // namespace

QString display_text(const QString& txt)
{
    QString t = txt;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

mesage_box& mesage_box::instance()
{
    if (!the_window) {
        the_window = new mesage_box();
        qAddPostRoutine(delete_window);
        for (auto& [owner, ready] : std::exchange(waiting, {}))
            ready();
    }
    return *the_window;
}

void mesage_box::when_made(const void* owner, std::function<void()> ready)
{
    if (the_window)
        ready();
    else
        waiting.emplace_back(owner, std::move(ready));
}

void mesage_box::forget(const void* owner)
{
    std::erase_if(waiting, [owner](const auto& w) { return w.first == owner; });
}

mesage_box::mesage_box()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("mesage_box"));
    setWindowTitle(QStringLiteral("Message box"));
    setModal(true);
    QFont design(QStringLiteral("MS Sans Serif"));
    design.setPointSizeF(10);
    setFont(design);

    // Text1 first, so that it leads the tab order whenever it is shown.
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);  // a message is never markup
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mes_icon = new QLabel(this);
    mes_icon->setObjectName(QStringLiteral("mes_icon"));
    mes_icon->setAlignment(Qt::AlignCenter);

    Command1 = add_button("OK", platform::answer_ok);
    Command2 = add_button("CANCEL", platform::answer_cancel);
    Command5 = add_button("ABORT", platform::answer_abort);
    Command6 = add_button("RETRY", platform::answer_retry);
    Command7 = add_button("IGNORE", platform::answer_ignore);
    Command4 = add_button("YES", platform::answer_yes);
    Command3 = add_button("NO", platform::answer_no);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command4->setObjectName(QStringLiteral("Command4"));
    Command5->setObjectName(QStringLiteral("Command5"));
    Command6->setObjectName(QStringLiteral("Command6"));
    Command7->setObjectName(QStringLiteral("Command7"));

    set_twips(Label1, {948, 200, 4752, 1428});
    set_twips(mes_icon, {228, 120, 600, 600});
    set_twips(Text1, {612, 3120, 5000, 420});
    set_twips(Command1, {300, 1890, 1200, 420});
    set_twips(Command2, {4560, 1908, 1200, 420});
    set_twips(Command5, {288, 2604, 1200, 420});
    set_twips(Command6, {1860, 2640, 1200, 420});
    set_twips(Command7, {3324, 2580, 1200, 420});
    set_twips(Command4, {1750, 1932, 1200, 420});
    set_twips(Command3, {3200, 1932, 1200, 420});
    set_twips(this, {0, 0, 6000, 4000});

    const QColor back(224, 224, 224);
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(Label1), static_cast<QWidget*>(mes_icon)}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, back);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
    for (const auto& [button, answer] : answers_) {
        QPalette p = button->palette();
        p.setColor(QPalette::Button, QColor(192, 192, 192));
        button->setPalette(p);
    }
}

QPushButton* mesage_box::add_button(const char* caption, int answer)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    const auto slot = std::find_if(answers_.begin(), answers_.end(), [](const auto& a) { return a.first == nullptr; });
    *slot = {button, answer};
    connect(button, &QPushButton::clicked, this, [this, answer] { press(answer); });
    return button;
}

TwipRect mesage_box::twips(const QWidget* control) const
{
    const auto it = geometry_.find(control);
    return it == geometry_.end() ? TwipRect{} : it->second;
}

void mesage_box::set_twips(QWidget* control, const TwipRect& r)
{
    geometry_[control] = r;
    if (control == this) {
        move(px(r.left), px(r.top));
        setFixedSize(std::max(1, px(r.width)), std::max(1, px(r.height - frame_allowance)));
        return;
    }
    control->setGeometry(px(r.left), px(r.top), std::max(0, px(r.width)), std::max(0, px(r.height)));
}

QSizeF mesage_box::text_extent(const QString& txt) const
{
    const QSizeF size = QFontMetricsF(font()).size(0, display_text(txt));
    return {platform::pixels_to_twips(size.width()), platform::pixels_to_twips(size.height())};
}

float mesage_box::wrapped_label_height() const
{
    return static_cast<float>(platform::pixels_to_twips(Label1->heightForWidth(Label1->width())));
}

platform::MessageAnswer mesage_box::show_modal()
{
    // The row's first button is the default, so Enter in the answer line is OK.
    QPushButton* first = nullptr;
    for (const auto& [button, answer] : answers_) {
        button->setDefault(false);
        if (!button->isHidden() && (!first || twips(button).left < twips(first).left))
            first = button;
    }
    if (first)
        first->setDefault(true);
    if (!Text1->isHidden()) {
        Text1->setFocus();
        Text1->selectAll();
    }
    else if (first)
        first->setFocus();

    pressed_ = platform::answer_ok;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    exec();
    QApplication::restoreOverrideCursor();
    return {pressed_, Text1->text()};
}

void mesage_box::press(int answer)
{
    pressed_ = answer;
    hide();  // ends the modal show
}

void mesage_box::reject()
{
    QPushButton* last = nullptr;
    for (const auto& [button, answer] : answers_)
        if (!button->isHidden() && (!last || twips(button).left > twips(last).left))
            last = button;
    if (!Command2->isHidden())
        last = Command2;
    const auto it = std::find_if(answers_.begin(), answers_.end(), [last](const auto& a) { return a.first == last; });
    press(it == answers_.end() ? platform::answer_ok : it->second);
}

}  // namespace qid
