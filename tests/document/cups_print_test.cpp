// Printing through a real CUPS queue that writes PDF files (cups-pdf). Run by
// cups_print_test.sh, which starts the scheduler, makes the queue the default
// printer and names it and its output folder in QID_CUPS_QUEUE and QID_CUPS_OUT.
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "../support/scripted_dialogs.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "platform/printer_target.h"
#include "platform/qt_dialogs.h"
#include "shell/image_button.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

class CupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = qEnvironmentVariable("QID_CUPS_QUEUE");
        out = qEnvironmentVariable("QID_CUPS_OUT");
        if (queue.isEmpty() || out.isEmpty())
            GTEST_SKIP() << "needs the CUPS queue that cups_print_test.sh sets up";
        page_err = false;
    }
    QString queue;
    QString out;
};

TEST_F(CupsTest, TheInstalledPrintersNameTheDeviceTheyPrintTo)
{
    platform::QtDialogSeam live;
    platform::set_dialog_seam(&live);
    EXPECT_EQ(printer_on_port(queue), queue + u" on cups-pdf:/"_s + queue);
    EXPECT_EQ(printer_on_port(u"no such printer"_s), u"no such printer on "_s);
    platform::set_dialog_seam(nullptr);
}

// Words of a PDF with the left and lower edges of their boxes, in inches.
std::map<QString, QPointF> words(const QString& pdf)
{
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    tool.waitForFinished(30000);
    std::map<QString, QPointF> found;
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    for (const auto& m : word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput())))
        found.emplace(m.captured(3), QPointF(m.captured(1).toDouble() / 72, m.captured(2).toDouble() / 72));
    return found;
}

TEST_F(CupsTest, ThePrintButtonPrintsOneSheetOnTheDefaultPrinter)
{
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    QPrinter& printer = platform::current_printer().printer();
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    ASSERT_EQ(printer.printerName(), queue);

    PPpages doc;
    doc.window().set_PPpages(&doc);
    doc.page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
    doc.set_page_content([&](std::int16_t& mode, float& zoom, std::int16_t& page) {
        PPpage* p = doc.find_page(page);
        p->set_pp(mode);
        p->set_zoom(zoom);
        float y = 2, x = 1.5f, pl = 0;
        p->add_text(u"Quenla"_s, x, false, y, 0, 0);
        y = 3;
        p->add_f_text(u"frutescens"_s, y, true, 0, pl, 0, 0);
        doc.print_it(page);
    });
    doc.Add(1, 1);
    doc.compose(1, 1, 1);
    dialogs.printers = {{true, 0}};
    QTest::mouseClick(doc.window().Image1(0), Qt::LeftButton);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(doc.window().isVisible());

    // cups-pdf writes the file once the job has gone through its filters.
    QElapsedTimer waited;
    waited.start();
    QStringList pdfs;
    std::map<QString, QPointF> found;
    while (waited.elapsed() < 60000) {
        pdfs = QDir(out).entryList({u"*.pdf"_s}, QDir::Files);
        if (pdfs.size() == 1 && (found = words(QDir(out).filePath(pdfs.front()))).size() >= 2)
            break;
        QTest::qWait(200);
    }
    ASSERT_EQ(pdfs.size(), 1) << "no PDF from the queue within a minute";
    QString seen;
    for (const auto& [w, at] : found)
        seen += w + u" "_s;
    ASSERT_EQ(found.count(u"Quenla"_s), 1u) << seen.toStdString();
    ASSERT_EQ(found.count(u"frutescens"_s), 1u);
    // On paper from the paper's corner, whatever the queue's printable area.
    const float left = doc.page_data(6).toFloat();
    EXPECT_NEAR(found[u"Quenla"_s].x(), 1.5, 0.02);
    EXPECT_NEAR(found[u"Quenla"_s].y(), 2.0, 0.02);
    EXPECT_NEAR(found[u"frutescens"_s].x(), left, 0.02);
    std::cout << "unprintable offsets " << doc.page_data(11).toFloat() << ", " << doc.page_data(12).toFloat()
              << " in; Quenla at " << found[u"Quenla"_s].x() << ", " << found[u"Quenla"_s].y() << " in\n";
    QProcess info;
    info.start(u"pdfinfo"_s, {QDir(out).filePath(pdfs.front())});
    info.waitForFinished(30000);
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));
}

}  // namespace
}  // namespace qid::testing
