// Printing through a real CUPS queue that writes PDF files (cups-pdf). Run by
// cups_print_test.sh, which starts the scheduler, makes the queue the default
// printer and names it and its output folder in QID_CUPS_QUEUE and QID_CUPS_OUT.
#include <iostream>

#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

#include "../support/pdf_text.h"
#include "../support/recording_messages.h"
#include "../support/scripted_dialogs.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "platform/image_button.h"
#include "platform/printer_target.h"
#include "platform/qt_dialogs.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

class CupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (queue.isEmpty() || out.isEmpty())
            GTEST_SKIP() << "needs the CUPS queue that cups_print_test.sh sets up";
        page_err = false;
    }
    const QString queue = qEnvironmentVariable("QID_CUPS_QUEUE");
    const QString out = qEnvironmentVariable("QID_CUPS_OUT");
};

TEST_F(CupsTest, TheInstalledPrintersNameTheDeviceTheyPrintTo)
{
    platform::QtDialogSeam live;
    platform::set_dialog_seam(&live);
    EXPECT_EQ(printer_on_port(queue), queue + u" on cups-pdf:/"_s + queue);
    EXPECT_EQ(printer_on_port(u"no such printer"_s), u"no such printer on "_s);
    platform::set_dialog_seam(nullptr);
}

// The queue's printable area is unequal on every side; the page still lands
// where it was placed, measured from the paper's corner.
TEST_F(CupsTest, ThePrintButtonPrintsOneSheetOnTheDefaultPrinter)
{
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    QPrinter& printer = platform::current_printer().printer();
    ASSERT_EQ(std::pair(printer.outputFormat(), printer.printerName()), std::pair(QPrinter::NativeFormat, queue));

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

    // cups-pdf writes the file once the job has been through its filters.
    QElapsedTimer waited;
    waited.start();
    QString pdf;
    for (; waited.elapsed() < 60000 && pdf.isEmpty(); QTest::qWait(200)) {
        const QStringList found = QDir(out).entryList({u"*.pdf"_s}, QDir::Files);
        if (!found.isEmpty() && pdf_pages(QDir(out).filePath(found.front())) > 0)  // written in full
            pdf = QDir(out).filePath(found.front());
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue within a minute";
    EXPECT_EQ(QDir(out).entryList({u"*.pdf"_s}, QDir::Files).size(), 1);
    const std::vector<PdfWord> words = pdf_words(pdf);
    const PdfWord quenla = pdf_word(words, u"Quenla"_s);
    const PdfWord frutescens = pdf_word(words, u"frutescens"_s);
    EXPECT_EQ(std::tuple(pdf_pages(pdf), quenla.text, frutescens.text), std::tuple(1, u"Quenla"_s, u"frutescens"_s));
    EXPECT_NEAR(quenla.x, 1.5, 0.02);
    EXPECT_NEAR(quenla.y, 2.0, 0.02);
    EXPECT_NEAR(frutescens.x, 0.8, 0.02);
    std::cout << "unprintable offsets " << doc.page_data(11).toFloat() << ", " << doc.page_data(12).toFloat()
              << " in; Quenla at " << quenla.x << ", " << quenla.y << " in\n";
}

}  // namespace
}  // namespace qid::testing
