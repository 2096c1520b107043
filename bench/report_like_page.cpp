#include "report_like_page.h"

#include <array>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QTextDocument>

namespace qid::bench {

namespace {

using namespace Qt::StringLiterals;

constexpr float margin = 0.8f;
constexpr float head_y = 0.45f;
constexpr float foot_off = 0.3f;
constexpr float base_size = 12;
constexpr float paragraph_gap = 0.08f;

struct Paragraph {
    QString text;
    int align;
};

// The body: headings, observations with italics, colour, raised and lowered
// text, a symbol, a larger phrase across a line end, small print.
const std::array<Paragraph, 13> body = {{
    {u"\\b14/OBSERVATIONS\\n/"_s, 1},
    {u"The tree was examined on the \\i/northern slope\\n/ of the valley, about 450 m above the sea, in a "
     u"mixed stand of beech and ash. It stands 12 m tall with a single straight trunk 0.4 m across at "
     u"1.3 m above the ground; the crown is broad and open, and the bark is grey and smooth on the younger "
     u"branches but cracked into small plates near the base."_s, 3},
    {u"\\b/FRUIT\\n/ The berries are \\i/ellipsoidal\\n/ and turn from green to \\q12/red\\n/ in autumn; they "
     u"measure 9 mm, that is about 3.5 x 10\\s/-1\\n/ inch, and hang in loose clusters of 20 to 40. Most of "
     u"them ripen between the 2\\s/nd\\n/ and the 3\\s/rd\\n/ week of October and fall before the 1\\s/st\\n/ "
     u"frost; a few stay on the tree until the 21\\s/st\\n/ of November. They were counted on the 2\\s/nd\\n/ "
     u"5\\s/th\\n/ 9\\s/th\\n/ 12\\s/th\\n/ 16\\s/th\\n/ 19\\s/th\\n/ 23\\s/rd\\n/ 26\\s/th\\n/ and "
     u"30\\s/th\\n/ days of the month."_s, 3},
    {u"\\b/LEAF\\n/ The leaves are pinnate, 18 to 24 cm long, with 6 to 8 pairs of leaflets and a single "
     u"terminal one. The angle \\y/a\\n/ between a leaflet and the rachis is narrow, about 40\\s/o\\n/, and "
     u"every leaflet is finely toothed along its whole margin. The upper side is \\q2/dark green\\n/ and "
     u"glossy, the underside paler and softly hairy along the main veins."_s, 3},
    {u"\\b/BUD\\n/ The winter buds are \\i/black\\n/, 8 to 12 mm long, conical and sticky to the touch, with "
     u"a few pale hairs at the tip. The scales overlap in four ranks; the outer ones are dry and brown, the "
     u"inner ones green and resinous. A bud cut across smells faintly of cedar."_s, 3},
    {u"The key keeps at each step only the trees whose recorded ranges hold the observed sizes, and it "
     u"separates three steps, \\16/FRUIT, then LEAF and last of all BUD\\n/, in that order. Sizes are "
     u"compared after a young tree has been allowed a fifth less, and extended ranges add a fifth on either "
     u"side; \\14/the extension\\n/ is shown on the report."_s, 3},
    {u"\\b14/SELECTED TREES\\n/"_s, 1},
    {u"\\i/Quenla frutescens\\n/ and \\i/Quenla alpina\\n/ remain after all three tests."_s, 1},
    {u"Of the two, \\i/Q. frutescens\\n/ is by far the more common at this height; \\i/Q. alpina\\n/ "
     u"grows mostly above 1,200 m and rarely bears more than 10 berries to a cluster. A sample of the "
     u"resin, dissolved in ethanol (C\\p/2\\n/H\\p/5\\n/OH), would tell the two apart at once: only the "
     u"resin of \\i/Q. alpina\\n/ turns the solution \\q9/blue\\n/ within a minute."_s, 3},
    {u"When the berries are missing, the leaflet count and the length of the terminal leaflet decide; "
     u"when both are missing too, the bud alone cannot separate them, and the report says so. \\b/Note:\\n/ "
     u"the sizes given above are the 5\\s/th\\n/ and 95\\s/th\\n/ percentiles of the measured samples."_s, 3},
    {u"\\9/Measurements in millimetres unless stated otherwise. Colours are judged in daylight against "
     u"a white card. The key was compiled from herbarium sheets and field notes of several seasons.\\n/"_s, 3},
    {u"\\\\i/Example\\\\n/ shows how a code is written inside a text without being applied."_s, 0},
    {u"Examined by the field team, \\i/third visit\\n/"_s, 2},
}};

// Sixteen colours of the Q code, as HTML.
const std::array<const char*, 16> palette = {"#000000", "#000080", "#008000", "#008080", "#800000", "#800080",
                                             "#808000", "#c0c0c0", "#808080", "#0000ff", "#00ff00", "#00ffff",
                                             "#ff0000", "#ff00ff", "#ffff00", "#ffffff"};

// What the codes so far have switched on.
struct Style {
    bool bold = false, italic = false, under = false, strike = false;
    int shift = 0;  // 1 raised, -1 lowered
    float size = base_size;
    int colour = 0;
    QString family = u"Arial"_s;
};

void apply(Style& s, const QString& group)
{
    const QString codes = group.toUpper();
    for (int i = 0; i < codes.size(); ++i) {
        const QChar c = codes[i];
        if (c.isDigit()) {
            int n = 0;
            for (; i < codes.size() && codes[i].isDigit(); ++i)
                n = n * 10 + codes[i].digitValue();
            --i;
            s.size = static_cast<float>(n);
            continue;
        }
        switch (c.unicode()) {
        case 'B': s.bold = true; break;
        case 'I': s.italic = true; break;
        case 'U': s.under = true; break;
        case 'T': s.strike = true; break;
        case 'S': s.shift = 1; break;
        case 'P': s.shift = -1; break;
        case 'Y': s.family = u"Symbol"_s; break;
        case 'D': s.family = u"Arial"_s; break;
        case 'N': s = Style(); break;
        case 'Q': {
            int n = 0;
            while (i + 1 < codes.size() && codes[i + 1].isDigit())
                n = n * 10 + codes[++i].digitValue();
            s.colour = n & 15;
            break;
        }
        default: break;
        }
    }
}

QString span(const Style& s, const QString& text, double points_per_point)
{
    if (text.isEmpty())
        return {};
    // Raised and lowered text is made smaller by the document itself.
    QString css = u"font-size:%1pt;font-family:'%2';"_s.arg(s.size * points_per_point, 0, 'f', 2).arg(s.family);
    css += s.bold ? u"font-weight:bold;"_s : QString();
    css += s.italic ? u"font-style:italic;"_s : QString();
    if (s.under || s.strike)
        css += u"text-decoration:%1%2;"_s.arg(s.under ? u"underline "_s : QString(),
                                               s.strike ? u"line-through"_s : QString());
    css += u"color:%1;"_s.arg(QLatin1String(palette[static_cast<std::size_t>(s.colour)]));
    if (s.shift)
        css += s.shift > 0 ? u"vertical-align:super;"_s : u"vertical-align:sub;"_s;
    return u"<span style=\"%1\">%2</span>"_s.arg(css, text.toHtmlEscaped());
}

// One paragraph of format-code text as HTML spans (doubled backslashes are literal).
QString spans(const QString& text, double points_per_point)
{
    QString out;
    QString plain;
    Style style;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'\\') {
            plain += u'\\';
            ++i;
            continue;
        }
        const int slash = text[i] == u'\\' ? text.indexOf(u'/', i + 1) : -1;
        if (slash < 0) {
            plain += text[i];
            continue;
        }
        out += span(style, plain, points_per_point);
        plain.clear();
        apply(style, text.mid(i + 1, slash - i - 1));
        i = slash;
    }
    return out + span(style, plain, points_per_point);
}

QString three_parts(const QString& left, const QString& centre, const QString& right, const QString& css)
{
    return u"<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" style=\"%1\"><tr>"
           u"<td align=\"left\">%2</td><td align=\"center\">%3</td><td align=\"right\">%4</td></tr></table>"_s
        .arg(css, left, centre, right);
}

}  // namespace

ReportLikePage::ReportLikePage()
    : surface(QSizeF(8.5, 11), surface_pixels_per_inch), page(printer, surface, pictures)
{
    printer.printer().setPageSize(QPageSize(QPageSize::Letter));
    printer.printer().setFullPage(true);
    paper_ = printer.printer().pageLayout().fullRect(QPageLayout::Inch).size();
    const double sizes[14] = {paper_.height() - 2 * margin, paper_.width() - 2 * margin, margin, head_y, margin,
                              foot_off, margin, margin, 1, 0xffffff, 1, 0, 0,
                              surface_pixels_per_inch / platform::SurfaceTarget::font_dpi};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        page.set_sizes(opt, sizes[opt]);
    page.font_defaults({u"Arial"_s, base_size, false, false, false, false, 0, u"400"_s});
    page.page_numbers(4, 0);
    page.set_clock([] { return QDate(2004, 5, 3); });
}

void ReportLikePage::size_surface(float zoom)
{
    surface.resize(paper_, surface_pixels_per_inch * zoom);
}

void ReportLikePage::compose(std::int16_t mode, float zoom)
{
    page.set_pp(mode);
    page.set_zoom(zoom);
    page.font(u"Arial"_s, base_size);
    page.head_foot(0, u"sd"_s, u"Kelbine identification"_s, u"pr"_s, QString(), 14, true);
    float y = page.page_data(2).toFloat();
    float pl = 0;
    for (const Paragraph& p : body) {
        page.add_f_text(p.text, y, true, p.align, pl, 0, 0);
        y += paragraph_gap;
    }
    page.head_foot(1, QString(), u"ld"_s, u"pa"_s, QString(), 10, false);
}

QString ReportLikePage::html(float zoom) const
{
    // A point on the printer is preview_scale x zoom points on the surface.
    const double points_per_point = surface_pixels_per_inch / platform::SurfaceTarget::font_dpi * zoom;
    const double inch = surface_pixels_per_inch * zoom;
    Style head;
    head.bold = true;
    head.size = 14;
    Style foot;
    foot.size = 10;
    static const char* const aligns[4] = {"left", "center", "right", "justify"};
    QString out = u"<html><body>"_s;
    out += three_parts(span(head, u"03/05/04"_s, points_per_point), span(head, u"Kelbine identification"_s, points_per_point),
                       span(head, u"iv"_s, points_per_point), QString());
    out += u"<div style=\"margin-top:%1px\"></div>"_s.arg((margin - head_y - 0.2) * inch, 0, 'f', 1);
    for (const Paragraph& p : body)
        out += u"<p align=\"%1\" style=\"margin:0px 0px %2px 0px\">%3</p>"_s.arg(
            QLatin1String(aligns[p.align]), QString::number(paragraph_gap * inch, 'f', 1), spans(p.text, points_per_point));
    out += three_parts(QString(), spans(u"May 3\\s/rd\\n/, 2004"_s, points_per_point * 10 / 12),
                       span(foot, u"Page 4"_s, points_per_point), u"margin-top:%1px"_s.arg(inch, 0, 'f', 1));
    return out + u"</body></html>"_s;
}

void ReportLikePage::paint_document(const QString& html, float zoom, QImage& image) const
{
    const double inch = surface_pixels_per_inch * zoom;
    QTextDocument doc;
    doc.setDocumentMargin(0);
    QFont font(u"Arial"_s);
    font.setPointSizeF(base_size * surface_pixels_per_inch / platform::SurfaceTarget::font_dpi * zoom);
    doc.setDefaultFont(font);
    doc.setTextWidth((paper_.width() - 2 * margin) * inch);
    doc.setHtml(html);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(margin * inch, (head_y - 0.2) * inch);
    doc.drawContents(&painter);
}

LongParagraph::LongParagraph(platform::PrinterTarget& printer)
    : surface(QSizeF(8.5, 11), surface_pixels_per_inch), page(printer, surface, pictures)
{
    const double sizes[14] = {1e6, 6.9, margin, head_y, margin, foot_off, margin, margin, 1, 0xffffff, 1, 0, 0,
                              surface_pixels_per_inch / platform::SurfaceTarget::font_dpi};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        page.set_sizes(opt, sizes[opt]);
    page.font_defaults({u"Arial"_s, base_size, false, false, false, false, 0, u"400"_s});
}

QString LongParagraph::text(int words)
{
    static const QStringList vocabulary =
        u"the berries are small and round, turning from green to dark red in autumn while leaves of "
        u"every tree fall early; buds stay black sticky and hairy through winter until spring opens them "
        u"again on each branch"_s.split(u' ');
    QString out;
    std::uint32_t state = 12345;
    for (int w = 0; w < words; ++w) {
        state = state * 1103515245u + 12345u;
        if (w % 37 == 36)
            out += u"\\i/Quenla\\n/"_s;
        else if (w % 53 == 52)
            out += u"10\\s/3\\n/"_s;
        else
            out += vocabulary[static_cast<int>((state >> 16) % static_cast<std::uint32_t>(vocabulary.size()))];
        out += u' ';
    }
    return out;
}

void LongParagraph::lay_out(const QString& text)
{
    page.set_pp(1);
    float y = margin;
    float pl = 0;
    page.add_f_text(text, y, true, 3, pl, 0, 0);
}

}  // namespace qid::bench
