#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/printer_target.h"
#include "platform/surface_target.h"

namespace qid::platform {
namespace {

int pdf_pages(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

class PrinterTargetTest : public ::testing::Test {
protected:
    PrinterTargetTest()
    {
        printer.printer().setOutputFormat(QPrinter::PdfFormat);
        printer.set_pdf_file(pdf);
    }
    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    PrinterTarget printer;
};

TEST_F(PrinterTargetTest, PagesStartOnlyWhenSomethingIsDrawn)
{
    printer.new_page();  // nothing printed yet: no page
    EXPECT_FALSE(printer.printing());
    printer.print_text(QStringLiteral("one"));
    EXPECT_TRUE(printer.printing());
    printer.new_page();
    printer.print_text(QStringLiteral("two"));
    printer.new_page();  // followed at once by the end: no blank sheet
    printer.end_doc();
    EXPECT_FALSE(printer.printing());
    EXPECT_EQ(pdf_pages(pdf), 2);
}

TEST_F(PrinterTargetTest, AbandonedDocumentLeavesNoFile)
{
    printer.print_text(QStringLiteral("draft"));
    printer.abandon_doc();
    EXPECT_FALSE(printer.printing());
    EXPECT_FALSE(QFile::exists(pdf));
}


TEST(SurfaceTargetTest, FontsScaledByTheSurfaceMeasureLikeThePrinter)
{
    PrinterTarget printer;
    SurfaceTarget surface(QSizeF(8.5, 11), 150);
    TargetFont f;
    f.size = 12;
    printer.set_font(f);
    f.size = 12 * surface.font_scale();
    surface.set_font(f);
    const QString text = QStringLiteral("Trees selected on FRUIT and LEAF data.");
    EXPECT_NEAR(surface.text_width(text), printer.text_width(text), 0.01 * printer.text_width(text));
    EXPECT_NEAR(surface.text_height(text), printer.text_height(text), 0.02 * printer.text_height(text));
    EXPECT_EQ(surface.image().width(), 1275);
}

TEST(SurfaceTargetTest, ClearPaintsTheBackColourAndDrawingLeavesInk)
{
    SurfaceTarget surface(QSizeF(2, 1), 100);
    surface.set_back_color(rgb_value(255, 255, 0));
    surface.clear();
    EXPECT_EQ(surface.image().pixel(10, 10), qRgb(255, 255, 0));
    surface.set_draw_width(3);
    surface.draw_box(0.5f, 0.25f, 1.5f, 0.75f, 0);
    EXPECT_EQ(surface.image().pixel(50, 50), qRgb(0, 0, 0));
    EXPECT_EQ(surface.image().pixel(100, 50), qRgb(255, 255, 0));
    EXPECT_EQ(surface.current_x(), 1.5f);
}


}  // namespace
}  // namespace qid::platform
