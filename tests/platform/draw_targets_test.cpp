// The printer and preview-surface targets: pages, runs, sizes in proportion, where text stands, underlines.
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../support/pdf_text.h"
#include "platform/printer_target.h"
#include "platform/surface_target.h"

namespace qid::platform {
namespace {

using namespace Qt::StringLiterals;

// Prints into this PDF file from now on.
void to_pdf(PrinterTarget& printer, const QString& pdf)
{
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.set_pdf_file(pdf);
}

// Pages start only when something is drawn; an abandoned document leaves no file; a run with widened
// spaces puts every word where its characters would go, one after the other at their own widths.
TEST(PrinterTargetTest, PagesStartOnlyWhenSomethingIsDrawnAndRunsPutEveryWordInPlace)
{
    const QTemporaryDir dir;
    const QString pdf = dir.filePath(u"out.pdf"_s);
    PrinterTarget printer;
    to_pdf(printer, pdf);
    printer.printer().setFullPage(true);
    printer.print_text(u"draft"_s);
    printer.abandon_doc();
    EXPECT_FALSE(printer.printing());
    EXPECT_FALSE(QFile::exists(pdf));

    printer.new_page();  // nothing printed yet: no page
    EXPECT_FALSE(printer.printing());
    printer.print_text(u"one"_s);
    EXPECT_TRUE(printer.printing());
    printer.new_page();
    printer.set_transparent();
    printer.align_text_bottom();
    printer.set_current(1, 2);
    printer.print_run(u"Quenla fru tescens"_s, 0.5f);  // half an inch more before each space
    const auto width = [&](const QString& s) {
        float w = 0;
        for (QChar c : s)
            w += printer.char_width(QStringView(&c, 1));
        return w;
    };
    const float fru = 1 + width(u"Quenla"_s) + 0.5f + width(u" "_s);
    const float tescens = fru + width(u"fru"_s) + 0.5f + width(u" "_s);
    EXPECT_FLOAT_EQ(printer.current_x(), tescens + width(u"tescens"_s));
    printer.new_page();  // followed at once by the end: no blank sheet
    printer.end_doc();
    EXPECT_FALSE(printer.printing());
    EXPECT_EQ(testing::pdf_pages(pdf), 2);
    const std::vector<testing::PdfWord> words = testing::pdf_words(pdf);
    ASSERT_EQ(words.size(), 4u);  // "one", then the run's words
    EXPECT_NEAR(words[1].x, 1, 0.005);
    EXPECT_NEAR(words[2].x, fru, 0.005);
    EXPECT_NEAR(words[3].x, tescens, 0.005);
}

// With no default printer the report goes to a PDF file in the documents
// folder, which is made when missing, so the file can be written at once.
TEST(PrinterTargetTest, WithoutAPrinterTheReportGoesToTheDocumentsFolder)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    const QTemporaryDir home;
    const QByteArray kept_home = qgetenv("HOME"), kept_config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    const QString file = PrinterTarget().printer().outputFileName();
    qputenv("HOME", kept_home);
    if (!kept_config.isEmpty())
        qputenv("XDG_CONFIG_HOME", kept_config);
    EXPECT_EQ(file, home.filePath(u"Documents/Quenla ID report.pdf"_s));
    EXPECT_TRUE(QFileInfo(home.filePath(u"Documents"_s)).isWritable());
}

// Runs are drawn as placed glyphs: pixel for pixel what drawing each character alone
// gives, also for widened spaces, a character the font lacks and one beyond 16 bits.
// The painter stays open between calls, and every look at the picture shows all of it.
TEST(SurfaceTargetTest, RunLooksExactlyLikeItsCharactersDrawnOneAtATime)
{
    SurfaceTarget runs(QSizeF(5, 1), 96);
    SurfaceTarget singles(QSizeF(5, 1), 96);
    const QImage blank = runs.image();
    TargetFont font;
    font.size = 14;
    font.italic = true;
    for (SurfaceTarget* s : {&runs, &singles}) {
        s->align_text_bottom();
        s->set_font(font);
        s->set_current(0.1f, 0.5f);
    }
    const QString text = u"Quenla fru\u2654 tescens \U0001d49c ok"_s;
    runs.print_run(text, 0.25f);
    singles.DrawTarget::print_run(text, 0.25f);
    EXPECT_EQ(runs.current_x(), singles.current_x());
    EXPECT_NE(runs.image(), blank);
    EXPECT_TRUE(runs.image() == singles.image());
    for (SurfaceTarget* s : {&runs, &singles})
        s->set_current(0.1f, 0.9f);
    runs.print_run(u"alpina"_s);
    singles.DrawTarget::print_run(u"alpina"_s);
    EXPECT_TRUE(runs.image() == singles.image());
    runs.clear();
    EXPECT_TRUE(runs.image() == blank);
}

// The smallest rectangle of pixels holding dark ink.
QRect ink_box(const QImage& image)
{
    QRect box;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            if (qGray(image.pixel(col, row)) < 128)
                box |= QRect(col, row, 1, 1);
    return box;
}

// The surface is the paper at its resolution. A picture's fonts come in whole pixels; its
// text still measures, and is drawn, in proportion with the size asked for, as on the printer.
TEST(SurfaceTargetTest, TextMeasuresAndDrawsInProportionWithItsSizeBetweenWholePixels)
{
    EXPECT_EQ(SurfaceTarget(QSizeF(8.5, 11), 150).image().size(), QSize(1275, 1650));
    SurfaceTarget surface(QSizeF(8.5, 11), 84);
    TargetFont font;
    font.name = u"URW Gothic"_s;
    font.bold = true;
    const QString text = u"Kelbine identification Leaflets; L = 50mm"_s;
    std::vector<std::array<double, 3>> per_point;  // width, height and ink width per point
    for (float size : {12.0f, 12.1f, 12.25f, 12.5f, 13.0f}) {
        font.size = size;
        surface.clear();
        surface.set_font(font);
        surface.set_current(0.5f, 1);
        surface.print_text(text);
        per_point.push_back({surface.text_width(text) / size, surface.text_height({}) / size,
                             ink_box(surface.image()).width() / 84.0 / size});
    }
    for (const auto& p : per_point)
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(p[k], per_point.front()[k], per_point.front()[k] * (k < 2 ? 0.003 : 0.006)) << k;
}

// Text placed by its lower edge stands on a baseline one descent above that
// edge: an "H" has no ink below the baseline. Text placed by its top starts there.
TEST(DrawTargetInk, BottomAlignedTextEndsOneDescentAboveItsY)
{
    TargetFont big;
    big.size = 72;  // a descent of about a fifth of an inch
    QFont font(big.name);
    font.setPointSizeF(big.size);
    const double descent = QFontMetricsF(font).descent() / QFontMetricsF(font).fontDpi();  // in inches
    ASSERT_GT(descent, 0.1);

    const QTemporaryDir dir;
    const QString pdf = dir.filePath(u"ink.pdf"_s);
    double margin = 0;  // the printer places by its printable area, inside the paper's margin
    {
        PrinterTarget printer;
        margin = printer.printer().pageLayout().paintRect(QPageLayout::Inch).top();
        to_pdf(printer, pdf);
        printer.set_font(big);
        printer.set_transparent();
        printer.align_text_bottom();
        printer.set_current(1, 2);
        printer.print_text(u"H"_s);
        printer.end_doc();
    }
    testing::tool_output(u"pdftoppm"_s, {u"-r"_s, u"100"_s, u"-png"_s, u"-singlefile"_s, pdf, dir.filePath(u"ink"_s)});
    const QImage page(dir.filePath(u"ink.png"_s));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR((ink_box(page).bottom() + 1) / 100.0, margin + 2 - descent, 0.03) << "printer";

    // Underlined, the "H" has ink below its baseline: the underline, on the surface too.
    for (const auto& [bottom, underline] : {std::pair(true, false), {false, false}, {true, true}}) {
        SurfaceTarget surface(QSizeF(3, 3), 100);
        big.size = 72 * surface.font_scale();
        big.underline = underline;
        surface.set_font(big);
        if (bottom)
            surface.align_text_bottom();
        surface.set_current(1, 2);
        surface.print_text(u"H"_s);
        const QRect ink = ink_box(surface.image());
        const double top = ink.top() / 100.0, lowest = (ink.bottom() + 1) / 100.0;
        if (!bottom)
            EXPECT_GT(top, 2.0) << "surface, placed by its top";
        else if (underline)
            EXPECT_GT(lowest, 2 - descent + 0.05) << "surface, underlined";
        else
            EXPECT_NEAR(lowest, 2 - descent, 0.03) << "surface";
    }
}

}  // namespace
}  // namespace qid::platform
