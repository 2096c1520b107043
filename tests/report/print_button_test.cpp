// PRINT on the real main window: closing its preview, and example 1's report printed as previewed.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include "../support/pdf_text.h"
#include "../support/scripted_dialogs.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "platform/forwarding_target.h"
#include "platform/image_button.h"
#include "platform/printer_target.h"
#include "platform/qt_dialogs.h"
#include "report/report.h"
#include "shell/startup.h"
#include "shell/window_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

class PrintButtonTest : public WindowTest {
protected:
    // Example 1, entered and taken through the three steps.
    static void enter_example_one()
    {
        choose(initial_colour, "RED");
        choose(colour_above, "DARK GREEN");
        choose(bud_colour, "RED-BROWN");
        choose(bud_hairs, "HAIRLESS");
        choose(sticky, "YES");
        for (const auto& [s, text] : {std::pair{berry_size, "9"}, {pairs, "6"}, {leaf_length, "180"},
                                      {leaflet_length, "50"}, {leaflet_width, "20"}, {bud_length, "8"}})
            type(s, text);
        for (int step = 0; step < 3; ++step)
            click(next);
        ASSERT_EQ(results(), QStringList{u"Quenla frutescens"_s});
    }
};

// The whole list goes over two pages. The main window takes no input while the preview is open,
// yet its close box ends the program as Exit does: nothing blocks the window system's close as a
// modal window would. The preview's CLOSE only hides the preview.
TEST_F(PrintButtonTest, CloseHidesThePreviewAndExitOrTheMainWindowsCloseBoxEndsBoth)
{
    for (const int way : {0, 1, 2}) {  // CLOSE, Exit, the close box
        reopen(screen_.size);
        click(next);
        click(print);
        const QPointer<preview> shown = &pages->window();
        ASSERT_TRUE(shown->isVisible());
        EXPECT_EQ(std::pair(shown->Label2()->text(), shown->Label1()->text()), std::pair(u"P. 1 of 2"_s, u"100%"_s));
        click(clear);
        EXPECT_EQ(std::pair(results().size(), QApplication::activeModalWidget()),
                  std::pair(qsizetype(49), static_cast<QWidget*>(nullptr)));
        if (way == 0)
            QTest::mouseClick(shown->Image1(1), Qt::LeftButton);
        else if (way == 1)
            window_->exit_action()->trigger();
        else
            window_->close();
        EXPECT_EQ(std::tuple(shown.isNull(), pages == nullptr, window_->isVisible()),
                  std::tuple(way != 0, way != 0, way == 0)) << "way " << way;
        EXPECT_TRUE(messages_.shown().empty());
    }
}

// A drawing target keeping where each text went (its lower left corner, in
// inches from the target's corner).
class RecordingTarget final : public platform::ForwardingTarget {
public:
    using ForwardingTarget::ForwardingTarget;
    void print_text(const QString& s) override
    {
        texts.push_back({s, current_x(), current_y()});
        ForwardingTarget::print_text(s);
    }
    void print_run(QStringView s, float space_extra) override
    {
        texts.push_back({s.toString(), current_x(), current_y()});
        ForwardingTarget::print_run(s, space_extra);
    }
    std::vector<PdfWord> texts;
};

struct Paper {
    const char* name;
    QPageSize::PageSizeId size;
    QMarginsF margins;  // millimetres: left, top, right, bottom
    QMarginsF chosen;   // the margins of the printer chosen in the print dialog
    bool cups = false;  // instead, the default printer: the CUPS queue cups_print_test.sh makes
};

void PrintTo(const Paper& p, std::ostream* os)
{
    *os << p.name;
}

class PaperTest : public PrintButtonTest, public ::testing::WithParamInterface<Paper> {
protected:
    void SetUp() override
    {
        // The printer the program starts with: a PDF file on this paper, or the one it chose itself.
        QPrinter& printer = platform::current_printer().printer();
        if (GetParam().cups && queue.isEmpty())
            GTEST_SKIP() << "needs the CUPS queue that cups_print_test.sh sets up";
        if (GetParam().cups) {
            ASSERT_EQ(std::pair(printer.outputFormat(), printer.printerName()),
                      std::pair(QPrinter::NativeFormat, queue));
        } else {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setFullPage(false);
            printer.setPageLayout(QPageLayout(QPageSize(GetParam().size), QPageLayout::Portrait,
                                              GetParam().margins, QPageLayout::Millimeter));
        }
        WindowTest::SetUp();
        // The program's document, its preview surface watched.
        const std::shared_ptr<preview> window = preview_window();
        recorder = std::make_unique<RecordingTarget>(window->surface());
        paper = std::make_unique<RecordingTarget>(platform::current_printer());
        pages = std::make_shared<PPpages>(DocumentDevices{paper.get(), nullptr, recorder.get()});
        preview_window()->set_PPpages(pages.get());
        pages->page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        recorder.reset();
        paper.reset();
    }
    PdfWord on_preview(const QString& start) const
    {
        for (const PdfWord& t : recorder->texts)
            if (t.text.startsWith(start))
                return t;
        return {};
    }

    // The file cups-pdf writes into QID_CUPS_OUT once the job has been through its filters.
    static QString from_queue()
    {
        const QDir out(qEnvironmentVariable("QID_CUPS_OUT"));
        QElapsedTimer waited;
        for (waited.start(); waited.elapsed() < 60000; QTest::qWait(200)) {
            const QStringList found = out.entryList({u"*.pdf"_s}, QDir::Files);
            if (found.size() == 1 && pdf_pages(out.filePath(found[0])) > 0)  // written in full
                return out.filePath(found[0]);
        }
        return {};
    }

    const QString queue = qEnvironmentVariable("QID_CUPS_QUEUE");
    ScriptedDialogs dialogs;
    std::unique_ptr<RecordingTarget> recorder;
    std::unique_ptr<RecordingTarget> paper;
};

// Printed on the printer chosen in the dialog, whose unprintable margins may differ from the
// last one's; then the preview at every zoom, each item where the paper has it, so the
// printed page is the preview's.
TEST_P(PaperTest, ExampleOneIsOnePageAndThePrintedPageIsThePreviewsPageAtEveryZoom)
{
    const QTemporaryDir dir;
    QString pdf = dir.filePath(u"report.pdf"_s);
    enter_example_one();
    click(print);
    preview& shown = pages->window();
    EXPECT_EQ(shown.Label2()->text(), u"P. 1 of 1"_s);
    EXPECT_FALSE(shown.FlatScrollBar(1)->isVisible());
    EXPECT_EQ(rep_names.front().count, 1);
    const PdfWord placed[3] = {on_preview(u"Kelbine"_s), on_preview(u"Shape:"_s), on_preview(u"Quenla frutescens"_s)};
    recorder->texts.clear();

    dialogs.printers = {{true, 0}};
    dialogs.choose_printer = [&](QPrinter& p) {
        if (!GetParam().cups)
            p.setOutputFileName(pdf);
        if (!GetParam().chosen.isNull())
            p.setPageMargins(GetParam().chosen, QPageLayout::Millimeter);
    };
    QTest::mouseClick(shown.Image1(0), Qt::LeftButton);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_TRUE(messages_.shown().empty()) << messages_.last().text.toStdString();
    if (GetParam().cups) {
        pdf = from_queue();
        ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue within a minute";
        platform::QtDialogSeam live;  // the printers as the system lists them name their devices
        platform::set_dialog_seam(&live);
        EXPECT_EQ(printer_on_port(queue), queue + u" on cups-pdf:/"_s + queue);
        EXPECT_EQ(printer_on_port(u"no such printer"_s), u"no such printer on "_s);
        platform::set_dialog_seam(&dialogs);
    }
    EXPECT_EQ(pdf_pages(pdf), 1);

    // Every line on paper, every word as typed (blanks aside).
    const auto collapsed = [](QString s) { return s.remove(QRegularExpression(u"\\s+"_s)); };
    const QString printed = collapsed(tool_output(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}));
    for (const char* text : {"Kelbine identification", "Tree type is normal", "FRUIT Colour: RED",
                             "Shape: spherical, size = 9mm", "LEAF Colour above : DARK GREEN",
                             "Leaf size = 180mm Leaflet pairs = 6 Leaflets; L = 50mm, W = 20mm",
                             "BUD Colour: RED-BROWN Hairs: HAIRLESS Sticky? YES Length = 8mm", "SELECTED TREES",
                             "Quenla frutescens"})
        EXPECT_TRUE(printed.contains(collapsed(QLatin1String(text)))) << text << " in " << printed.toStdString();

    // On paper where the preview puts them, from the paper's corner. The CUPS filters embed the fonts
    // anew, with glyph boxes, whose lower edge is the Y read here, up to 0.03 inch higher.
    const std::vector<PdfWord> words = pdf_words(pdf);
    const double near_y = GetParam().cups ? 0.035 : 0.02;
    for (const PdfWord& p : placed) {
        ASSERT_FALSE(p.text.isEmpty()) << "a text is missing from the preview";
        const PdfWord w = pdf_word(words, p.text.section(u' ', 0, 0));
        ASSERT_EQ(w.text, p.text.section(u' ', 0, 0));
        EXPECT_NEAR(w.x, p.x, 0.02) << p.text.toStdString();
        EXPECT_NEAR(w.y, p.y, near_y) << p.text.toStdString();
    }

    // Every item starts on the preview where it starts on paper, at 100 % to 300 %.
    const QPointF off(pages->page_data(11).toFloat(), pages->page_data(12).toFloat());
    for (int zoom = 100; zoom <= 300; zoom += 20, recorder->texts.clear(), pages->zoom()) {
        ASSERT_EQ(recorder->texts.size(), paper->texts.size()) << zoom << " %";
        for (std::size_t i = 0; i < paper->texts.size(); ++i) {
            const PdfWord &s = recorder->texts[i], &p = paper->texts[i];
            EXPECT_TRUE(s.text == p.text && std::fabs(s.x - p.x - off.x()) <= 0.01 && std::fabs(s.y - p.y - off.y()) <= 0.01)
                << zoom << " %: " << s.text.toStdString() << " at " << s.x << ", " << s.y << " for " << p.x + off.x();
        }
    }
}

// US Letter with a printer's margins unequal on every side; A4 with the margins of a common laser
// printer, and a printer chosen whose margins are wider; a real CUPS queue, its margins unequal too.
INSTANTIATE_TEST_SUITE_P(, PaperTest,
                         ::testing::Values(Paper{"Letter", QPageSize::Letter, {4, 9, 13, 3}, {}},
                                           Paper{"A4ThenOtherMargins", QPageSize::A4, {6.35, 6.35, 6.35, 6.35},
                                                 {12.7, 19.05, 12.7, 19.05}},
                                           Paper{"DefaultCupsQueue", QPageSize::A4, {}, {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qid::testing
