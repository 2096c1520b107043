#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/printer_target.h"
#include "platform/surface_target.h"

namespace qid::platform {
namespace {

using namespace Qt::StringLiterals;

TEST(PrinterTargetTest, PagesStartOnlyWhenSomethingIsDrawnAndAnAbandonedDocumentLeavesNoFile)
{
    const QTemporaryDir dir;
    const QString pdf = dir.filePath(u"out.pdf"_s);
    PrinterTarget printer;
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.set_pdf_file(pdf);
    printer.print_text(u"draft"_s);
    printer.abandon_doc();
    EXPECT_FALSE(printer.printing());
    EXPECT_FALSE(QFile::exists(pdf));

    printer.new_page();  // nothing printed yet: no page
    EXPECT_FALSE(printer.printing());
    printer.print_text(u"one"_s);
    EXPECT_TRUE(printer.printing());
    printer.new_page();
    printer.print_text(u"two"_s);
    printer.new_page();  // followed at once by the end: no blank sheet
    printer.end_doc();
    EXPECT_FALSE(printer.printing());
    QProcess info;
    info.start(u"pdfinfo"_s, {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_EQ(QRegularExpression(u"Pages:\\s*(\\d+)"_s).match(out).captured(1), u"2"_s) << qPrintable(out);
}

// The first and last pixel rows holding dark ink, in inches from the top.
std::pair<double, double> ink_rows(const QImage& image, double pixels_per_inch)
{
    int top = -1, bottom = -1;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            if (qGray(image.pixel(col, row)) < 128) {
                bottom = row;
                top = top < 0 ? row : top;
                break;
            }
    return {top / pixels_per_inch, (bottom + 1) / pixels_per_inch};
}

// How far the font's lowest point lies below its baseline, in inches.
double descent_of(const TargetFont& f)
{
    QFont font(f.name);
    font.setPointSizeF(f.size);
    return QFontMetricsF(font).descent() / QFontMetricsF(font).fontDpi();
}

// Text placed by its lower edge stands on a baseline one descent above that
// edge: an "H" has no ink below the baseline. Text placed by its top starts there.
TEST(DrawTargetInk, BottomAlignedTextEndsOneDescentAboveItsY)
{
    TargetFont big;
    big.size = 72;  // a descent of about a fifth of an inch
    const double descent = descent_of(big);
    ASSERT_GT(descent, 0.1);

    const QTemporaryDir dir;
    const QString pdf = dir.filePath(u"ink.pdf"_s);
    double margin = 0;  // the printer places by its printable area, inside the paper's margin
    {
        PrinterTarget printer;
        margin = printer.printer().pageLayout().paintRect(QPageLayout::Inch).top();
        printer.printer().setOutputFormat(QPrinter::PdfFormat);
        printer.set_pdf_file(pdf);
        printer.set_font(big);
        printer.set_transparent();
        printer.align_text_bottom();
        printer.set_current(1, 2);
        printer.print_text(u"H"_s);
        printer.end_doc();
    }
    QProcess render;
    render.start(u"pdftoppm"_s, {u"-r"_s, u"100"_s, u"-png"_s, u"-singlefile"_s, pdf, dir.filePath(u"ink"_s)});
    ASSERT_TRUE(render.waitForFinished(30000));
    const QImage page(dir.filePath(u"ink.png"_s));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(ink_rows(page, 100).second, margin + 2 - descent, 0.03) << "printer";

    for (const bool bottom : {true, false}) {
        SurfaceTarget surface(QSizeF(3, 3), 100);
        big.size = 72 * surface.font_scale();
        surface.set_font(big);
        if (bottom)
            surface.align_text_bottom();
        surface.set_current(1, 2);
        surface.print_text(u"H"_s);
        const auto [top, lowest] = ink_rows(surface.image(), 100);
        if (bottom)
            EXPECT_NEAR(lowest, 2 - descent, 0.03) << "surface";
        else
            EXPECT_GT(top, 2.0) << "surface, placed by its top";
    }
}

TEST(SurfaceTargetTest, SurfaceIsThePaperAtItsResolution)
{
    EXPECT_EQ(SurfaceTarget(QSizeF(8.5, 11), 150).image().size(), QSize(1275, 1650));
}

}  // namespace
}  // namespace qid::platform
