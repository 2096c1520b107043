// Printing through a real CUPS queue writing PDF files (cups-pdf), which cups_print_test.sh sets up.
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
#include "platform/printer_target.h"
#include "platform/qt_dialogs.h"
#include "shell/image_button.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

// The queue named in QID_CUPS_QUEUE is the default printer, writing into QID_CUPS_OUT; its printable
// area is unequal on every side, yet the page lands where it was placed, from the paper's corner.
TEST(CupsTest, ThePrintButtonPrintsOneSheetOnTheDefaultPrinterNamedWithItsDevice)
{
    const QString queue = qEnvironmentVariable("QID_CUPS_QUEUE"), out = qEnvironmentVariable("QID_CUPS_OUT");
    if (queue.isEmpty() || out.isEmpty())
        GTEST_SKIP() << "needs the CUPS queue that cups_print_test.sh sets up";
    platform::QtDialogSeam live;  // the installed printers as the system lists them
    platform::set_dialog_seam(&live);
    EXPECT_EQ(printer_on_port(queue), queue + u" on cups-pdf:/"_s + queue);
    EXPECT_EQ(printer_on_port(u"no such printer"_s), u"no such printer on "_s);
    platform::set_dialog_seam(nullptr);

    page_err = false;
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
    QStringList found;
    while (found.isEmpty() || pdf_pages(QDir(out).filePath(found.front())) == 0) {  // until written in full
        ASSERT_LT(waited.elapsed(), 60000) << "no PDF from the queue within a minute";
        QTest::qWait(200);
        found = QDir(out).entryList({u"*.pdf"_s}, QDir::Files);
    }
    ASSERT_EQ(found.size(), 1);
    const QString pdf = QDir(out).filePath(found.front());
    const std::vector<PdfWord> words = pdf_words(pdf);
    const PdfWord quenla = pdf_word(words, u"Quenla"_s), frutescens = pdf_word(words, u"frutescens"_s);
    EXPECT_EQ(std::tuple(pdf_pages(pdf), quenla.text, frutescens.text), std::tuple(1, u"Quenla"_s, u"frutescens"_s));
    EXPECT_NEAR(quenla.x, 1.5, 0.02);
    EXPECT_NEAR(quenla.y, 2.0, 0.02);
    EXPECT_NEAR(frutescens.x, 0.8, 0.02);
}

}  // namespace
}  // namespace qid::testing
