#include "about/about_64.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLocale>

#include "about/about_window.h"
#include "about/version_info.h"
#include "core/numbers.h"
#include "core/shared.h"
#include "platform/image_button.h"

namespace qid {

namespace {

// Distances of the box in twips, before the screen's proportion is applied.
constexpr double margin = 200;       // round the frames, and below the close button
constexpr double frame_gap = 100;    // between one frame and the next
constexpr double padding = 200;      // inside the frames of the texts
constexpr double logo_padding = 100; // round the logo
constexpr double text_width = 4200;  // description and comments
constexpr double frame_width = 7200;
constexpr double label_gap = 100;    // between stacked texts
constexpr double title_gap = 60;     // under the product name
constexpr double maker_gap = 30;     // between the maker's lines

// The box's ratio on a 1920 x 1080 screen at 96 DPI, where the close
// button's pictures are shown at their own size.
constexpr double full_hd_ratio = 28800.0 / 19200.0;

// Design font sizes in points.
constexpr double text_points = 10;
constexpr double name_points = 16;

int px(double twips)
{
    return platform::twips_to_pixels(twips);
}

double twips(double pixels)
{
    return platform::pixels_to_twips(pixels);
}

void place(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

QColor colour(std::int32_t rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// The height of a label's text in its font, line breaks included, in twips.
double text_height(const QLabel* label)
{
    return twips(QFontMetricsF(label->font()).size(0, label->text()).height());
}

// The height of a label that wraps its text at width: Int(text width / width
// + 0.5) + 1 lines of the text's height, and never less than the wrapped text
// takes, so that no line is cut off.
double wrapped_height(QLabel* label, double width)
{
    const QSizeF extent = QFontMetricsF(label->font()).size(0, label->text());
    const double lines = std::floor(twips(extent.width()) / width + 0.5) + 1;
    return std::max(lines * twips(extent.height()), twips(label->heightForWidth(px(width))));
}

// A number without trailing zeros, at most decimals after the user's decimal separator.
QString number_text(double v, int decimals)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(round_half_even(v, decimals), 'f', decimals);
    if (decimals > 0) {
        while (text.endsWith(locale.zeroDigit()))
            text.chop(locale.zeroDigit().size());
        if (text.endsWith(locale.decimalPoint()))
            text.chop(locale.decimalPoint().size());
    }
    return text;
}

}  // namespace

VersionInfo build_version()
{
    return {QString::fromUtf8(version::ProductName), version::Major, version::Minor, version::Revision,
            QString::fromUtf8(version::FileDescription), QString::fromUtf8(version::Comments),
            QString::fromUtf8(version::CompanyName), QString::fromUtf8(version::LegalCopyright),
            QString::fromUtf8(version::LegalTrademarks)};
}

about_64::about_64(QString build_date, float screen_ratio, VersionInfo info)
    : info_(std::move(info)), build_date_(std::move(build_date)), screen_ratio_(screen_ratio)
{
}

about_64::~about_64()
{
    // Once the application object is gone the window system is too, and the
    // window goes with the process.
    if (window_ && QCoreApplication::instance())
        delete window_;
}

QString about_64::NumberInKB(double vNumber)
{
    constexpr double kb = 1024.0;
    if (vNumber < kb)
        return number_text(vNumber, 4) + QStringLiteral(" bytes");
    if (vNumber < kb * kb)
        return number_text(vNumber / kb, 1) + QStringLiteral(" KB");
    if (vNumber < kb * kb * kb)
        return number_text(vNumber / (kb * kb), 2) + QStringLiteral(" MB");
    if (vNumber < kb * kb * kb * kb)
        return number_text(vNumber / (kb * kb * kb), 2) + QStringLiteral(" GB");
    return QString();
}

QString about_64::memory_line(const platform::MemoryStatus& memory)
{
    // Nothing known about the memory gives 0 %, not a division by zero.
    const double percent = memory.total > 0 ? round_half_even(memory.available / memory.total * 100.0) : 0.0;
    return QStringLiteral("Total memory = ") + NumberInKB(memory.total) + QLatin1Char('\n') +
           QStringLiteral("of which ") + QString::number(static_cast<qint64>(percent)) +
           QStringLiteral("% is available.");
}

void about_64::create_About(const QString& logo, std::int32_t b_c, std::int32_t f_c,
                            std::optional<std::int16_t> tp, std::int16_t lf, const QString& grfic, float g_rat)
{
    if (created_)
        return;
    created_ = true;
    if (tp && *tp >= 0)
        top_ = *tp;
    if (lf >= 0)
        left_ = lf;
    if (b_c >= 0)
        back_colour_ = b_c;
    if (f_c >= 0)
        fore_colour_ = f_c;
    folder_ = app_path;
    ratio_ = screen_ratio_ > 0 ? screen_ratio_ : 1.0;
    logo_ = logo;
    grfic_ = grfic;
    g_rat_ = g_rat;
    memory_ = platform::host().memory();
    // The pictures in the order the window loads them: its close button's, the logo, the plant.
    const QString graphics = folder_ + QStringLiteral("graphics/");
    for (const QString& file : {About::released_close, About::pressed_close, logo_, grfic_})
        if (!platform::picture_readable(graphics + file)) {
            report_about_picture(graphics + file);
            reported_ << graphics + file;
        }
}

void about_64::build()
{
    if (built_ || !created_)
        return;
    built_ = true;
    window_ = new About(folder_, reported_);
    apply_look();
    fill_texts();
    load_pictures();
    place_controls();
    position_box();
}

About* about_64::window()
{
    build();
    return window_;
}

void about_64::show_About()
{
    if (About* box = window())
        box->exec();
}

double about_64::d(double twips) const
{
    return twips * ratio_;
}

void about_64::apply_look()
{
    About& w = *window_;
    QPalette palette = w.palette();
    palette.setColor(QPalette::Window, colour(back_colour_));
    palette.setColor(QPalette::WindowText, colour(fore_colour_));
    w.setPalette(palette);
    w.setAutoFillBackground(true);

    QFont text(QStringLiteral("Arial"));
    text.setPointSizeF(std::max(1.0, std::floor(text_points * ratio_)));
    w.setFont(text);
    QFont name = text;
    name.setPointSizeF(std::max(1.0, std::floor(name_points * ratio_)));
    name.setBold(true);
    w.title_lbl[0]->setFont(name);
}

void about_64::fill_texts()
{
    About& w = *window_;
    w.title_lbl[0]->setText(info_.ProductName);
    w.title_lbl[1]->setText(QStringLiteral("Version ") + QString::number(info_.Major) + QLatin1Char('.') +
                            QString::number(info_.Minor) + QLatin1Char('.') + QString::number(info_.Revision) +
                            build_date_);
    w.title_lbl[2]->setText(info_.FileDescription);
    w.title_lbl[3]->setText(info_.Comments);
    w.mem_lbl->setText(memory_line(memory_));
    w.make_lbl[0]->setText(info_.CompanyName);
    w.make_lbl[1]->setText(info_.LegalCopyright);
    w.make_lbl[2]->setText(info_.LegalTrademarks);
}

void about_64::load_pictures()
{
    About& w = *window_;
    const QString graphics = folder_ + QStringLiteral("graphics/");
    QPixmap picture;
    if (load_about_picture(graphics + logo_, picture, reported_))
        w.Picture2->setPixmap(picture.scaled(px(d(twips(picture.width()))), px(d(twips(picture.height()))),
                                             Qt::KeepAspectRatio, Qt::SmoothTransformation));
    // The plant is shown at g_rat times its own size; a ratio that is not a
    // sensible positive number shows it at its own size.
    const double rat = g_rat_ > 0 && g_rat_ <= 16 ? g_rat_ : 1.0;
    if (load_about_picture(graphics + grfic_, picture, reported_))
        w.Image1->setPixmap(picture.scaled(px(d(twips(picture.width()) * rat)), px(d(twips(picture.height()) * rat)),
                                           Qt::KeepAspectRatio, Qt::SmoothTransformation));
    // The close button grows with the box on larger screens, and keeps its
    // own size on smaller ones, where it would become hard to hit.
    const double grow = std::max(1.0, ratio_ / full_hd_ratio);
    auto grown = [grow](const QPixmap& p) {
        return p.isNull() ? p
                          : p.scaled((QSizeF(p.size()) * grow).toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    };
    w.Image2->set_pictures(grown(w.ImageList1[QStringLiteral("XU")]), grown(w.ImageList1[QStringLiteral("XD")]));
}

void about_64::place_controls()
{
    About& w = *window_;
    const double fw = std::max(d(frame_width), d(padding * 3 + text_width) + twips(w.Image1->pixmap().width()));

    // The logo with the product name and version beside it.
    const double logo_w = twips(w.Picture2->pixmap().width());
    const double logo_h = twips(w.Picture2->pixmap().height());
    const double title_left = d(logo_padding) + logo_w + d(padding);
    const double title_w = fw - title_left - d(logo_padding);
    const double names_h = text_height(w.title_lbl[0]) + d(title_gap) + text_height(w.title_lbl[1]);
    const double frame0_h = std::max(logo_h, names_h) + 2 * d(logo_padding);
    place(w.Frame1[0], d(margin), d(margin), fw, frame0_h);
    place(w.Picture2, d(logo_padding), (frame0_h - logo_h) / 2, logo_w, logo_h);
    const double names_top = (frame0_h - names_h) / 2;
    place(w.title_lbl[0], title_left, names_top, title_w, text_height(w.title_lbl[0]));
    place(w.title_lbl[1], title_left, names_top + text_height(w.title_lbl[0]) + d(title_gap), title_w,
          text_height(w.title_lbl[1]));

    // The description and comments one under the other, the plant beside them.
    // An empty text hides its label and gives its place to the next one.
    double y = d(padding);
    for (QLabel* label : {w.title_lbl[2], w.title_lbl[3]}) {
        const bool shown = !label->text().isEmpty();
        const double h = shown ? wrapped_height(label, d(text_width)) : 0;
        place(label, d(padding), y, d(text_width), h);
        label->setVisible(shown);
        if (shown)
            y += h + d(label_gap);
    }
    const double picture_w = twips(w.Image1->pixmap().width());
    const double picture_h = twips(w.Image1->pixmap().height());
    place(w.Image1, fw - d(padding) - picture_w, d(padding), picture_w, picture_h);
    const double frame1_top = d(margin) + frame0_h + d(frame_gap);
    const double frame1_h = std::max(y - d(label_gap), d(padding) + picture_h) + d(padding);
    place(w.Frame1[1], d(margin), frame1_top, fw, frame1_h);

    // The memory line, then the maker's lines.
    y = d(padding);
    place(w.mem_lbl, d(padding), y, fw - 2 * d(padding), text_height(w.mem_lbl));
    y += text_height(w.mem_lbl) + d(label_gap);
    for (QLabel* label : w.make_lbl) {
        place(label, d(padding), y, fw - 2 * d(padding), text_height(label));
        y += text_height(label) + d(maker_gap);
    }
    const double frame2_top = frame1_top + frame1_h + d(frame_gap);
    const double frame2_h = y - d(maker_gap) + d(padding);
    place(w.Frame1[2], d(margin), frame2_top, fw, frame2_h);

    // The close button under the frames, at the right.
    const double close_w = twips(w.Image2->width());
    const double close_h = twips(w.Image2->height());
    const double close_top = frame2_top + frame2_h + d(frame_gap);
    place(w.Image2, d(margin) + fw - close_w, close_top, close_w, close_h);
    w.setFixedSize(px(fw + 2 * d(margin)), px(close_top + close_h + d(margin)));
}

void about_64::position_box()
{
    About& w = *window_;
    const platform::ScreenTwips screen = platform::host().screen();
    const double width = twips(w.width());
    const double height = twips(w.height());
    const double left = left_ >= 0 ? d(left_) : (screen.width - width) / 2;
    const double top = top_ >= 0 ? d(top_) : (screen.height - height) / 2;
    w.move(px(left), px(top));
}

}  // namespace qid
