// The document's printer side: the workbook's printer, page and font setup, and the printer font.
#include "document/workbook.h"
#include "document_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;
using PrintingTest = DocumentTest;

class RecordingWorkbook final : public Workbook {
public:
    void set_active_printer(const QString& name) override { active.push_back(name); }
    QStringList active;
};

TEST_F(PrintingTest, TheWorkbookPrintsOnTheChosenPrinterNamedWithItsPort)
{
    dialogs.installed = {{u"Laser"_s, u"LPT1:"_s}, {u"Ink"_s, u"usb://Ink"_s}, {u"Laser"_s, u"COM2:"_s}};
    struct Case {
        const char* device;
        QString expected;
    };
    for (const Case& c : {Case{"Laser", u"Laser on LPT1:"_s}, Case{"Ink", u"Ink on usb://Ink"_s},
                          Case{"Plotter", u"Plotter on "_s}, Case{"laser", u"laser on "_s}}) {
        RecordingWorkbook book;
        dialogs.printers = {{true, 0}};
        dialogs.choose_printer = [&](QPrinter&) {
            sheet.device = QString::fromLatin1(c.device);
            sheet.set_orientation(2);
        };
        doc->select_Excel_printer(book);
        EXPECT_EQ(book.active, QStringList{c.expected}) << c.device;
        EXPECT_EQ(std::pair(page_err, sheet.orientation()), std::pair(false, std::int16_t(1)));
    }
    RecordingWorkbook untouched;
    doc->select_Excel_printer(untouched);  // cancelled
    EXPECT_EQ(std::pair(page_err, untouched.active.size()), std::pair(true, qsizetype(0)));
    EXPECT_EQ(dialogs.printer_flags.back(), 1572928);
}

TEST_F(PrintingTest, PageSetupTakesTheMarginsAndDerivesHeaderAndFooter)
{
    dialogs.page_setups = {{{true, 0}, QMarginsF(36, 72, 54, 18)}};  // points: left, top, right, bottom
    doc->page_setup();
    EXPECT_EQ(dialogs.page_setup_flags, std::vector{36});
    EXPECT_EQ(doc->margin_presets(), (std::array<float, 7>{0.5f, 0.75f, 1, 0.25f, 0, 0, 0}));
    std::array<float, 8> got{};
    for (std::int16_t opt = 0; opt < 8; ++opt)
        got[static_cast<std::size_t>(opt)] = doc->page_data(opt).toFloat();
    EXPECT_EQ(got, (std::array<float, 8>{11 - 1.25f, 8.5f - 1.25f, 1, 0.5f, 0.25f, 0.25f * 0.3f, 0.5f, 0.75f}));

    doc->page_setup();  // cancelled: nothing changes
    EXPECT_TRUE(page_err);
    EXPECT_FLOAT_EQ(doc->page_data(2).toFloat(), 1);
}

TEST_F(PrintingTest, FontSetupGivesEveryNewPageTheChosenFont)
{
    dialogs.fonts = {{{true, 0}, {u"Georgia"_s, 145, 700, true, false, true, 255}}};
    doc->font_setup();
    EXPECT_EQ(dialogs.font_requests.back().flags, 74051);
    std::vector<QVariant> got;
    for (std::int16_t opt = 0; opt < 8; ++opt)
        got.push_back(doc->font_dta(opt));
    EXPECT_EQ(got, (std::vector<QVariant>{u"Georgia"_s, QVariant::fromValue(std::int16_t(14)), true, true, false, true,
                                          255, u"Bold"_s}));
    PPpage* page = doc->Add(5, 5);
    EXPECT_EQ(std::pair(page->font_data(0).toString(), page->font_data(2).toBool()), std::pair(u"Georgia"_s, true));

    doc->font_setup();  // cancelled: the font stays
    EXPECT_EQ(std::pair(page_err, doc->font_dta(0).toString()), std::pair(true, u"Georgia"_s));
}

// Options outside 0 to 7 are refused, and change nothing.
TEST_F(PrintingTest, SetFontChangesOneEntryAndThePrinterBoldAndWeightTogether)
{
    struct Step {
        QVariant itm;
        std::int16_t opt;
        bool bold;
        int weight;
    };
    for (const Step& s : {Step{true, 2, true, 700}, Step{400, 7, false, 400}, Step{401, 7, true, 401},
                          Step{false, 2, false, 400}, Step{900, 7, true, 900}}) {
        doc->set_font(s.itm, s.opt);
        EXPECT_EQ(std::tuple(printer.font().bold, printer.font().weight, doc->font_dta(2).toBool(),
                             doc->font_dta(7).toInt()),
                  std::tuple(s.bold, s.weight, s.bold, s.weight))
            << s.itm.toString().toStdString() << " as option " << s.opt;
    }
    const platform::TargetFont before = printer.font();
    for (std::int16_t opt : {8, -1}) {
        page_err = false;
        doc->set_font(700, opt);
        EXPECT_EQ(last_shown(), Shown(u"Options must be in the range 0 to 7"_s, u"'font_data' ERROR"_s, 16, true));
        page_err = false;
        EXPECT_FALSE(doc->font_dta(opt).isValid());
        EXPECT_EQ(last_shown(), Shown(u"Options must be in the range 0 to 7"_s, u"'font_dta' ERROR"_s, 16, true));
    }
    EXPECT_EQ(std::pair(printer.font(), doc->font_dta(7).toInt()), std::pair(before, 900));
    doc->set_font(u"Georgia"_s, 0);
    doc->set_font(14, 1);
    doc->set_font(true, 3);
    doc->set_font(0x0000ff, 6);
    EXPECT_EQ(std::tuple(printer.font().name, printer.font().size, printer.font().italic, printer.fore_color()),
              std::tuple(u"Georgia"_s, 14.0f, true, 0x0000ff));
    EXPECT_EQ(messages.shown().size(), 4u);  // only the refusals
}

}  // namespace
}  // namespace qid::testing
