#include <QFile>
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

TEST(SurfaceTargetTest, SurfaceIsThePaperAtItsResolution)
{
    EXPECT_EQ(SurfaceTarget(QSizeF(8.5, 11), 150).image().size(), QSize(1275, 1650));
}

}  // namespace
}  // namespace qid::platform
