// The document's pages, settings, messages and output.
#include <functional>

#include <QTemporaryDir>

#include "document_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;
using Kind = platform::DrawCall::Kind;

class PagesTest : public DocumentTest {
protected:
    std::tuple<int, int, int> counters() const
    {
        std::int16_t n = -1, first = -1, last = -1;
        doc->num_pge(n, first, last);
        return {n, first, last};
    }
};

TEST_F(PagesTest, AddNumbersThePageAndRefusesANumberAlreadyThere)
{
    PPpage* page = doc->Add(3, 0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(std::pair(page->page_number(0).toInt(), page->page_number(1).toInt()), std::pair(3, 3));
    EXPECT_FLOAT_EQ(page->page_data(2).toFloat(), 0.8f);  // the document's settings
    EXPECT_EQ(page->font_data(0).toString(), u"Arial"_s);
    doc->Add(5, 9);
    EXPECT_EQ(doc->Add(3, 4), nullptr);
    EXPECT_EQ(last_shown(),
              Shown(u"Page 3 is already in the document."_s, u"'Add' ERROR"_s, 16, true));
    EXPECT_EQ(counters(), std::tuple(2, 3, 5));
    EXPECT_EQ(std::pair(doc->find_page(3), doc->find_index(5)), std::pair(page, std::int16_t(2)));
}

TEST_F(PagesTest, EmptyingKeepsTheCountersAndDeleteRemovesOnePage)
{
    doc->mt();  // on an empty document
    EXPECT_EQ(counters(), std::tuple(0, 0, 0));
    fill(3);
    doc->Delete(1);
    doc->Delete(7);
    EXPECT_EQ(std::pair(counters(), doc->find_index(3)), std::pair(std::tuple(2, 1, 3), std::int16_t(2)));
    doc->mt();  // only the count follows a deletion, and nothing an emptying
    EXPECT_EQ(std::pair(counters(), doc->page_col().size()), std::pair(std::tuple(2, 1, 3), std::size_t(0)));
    EXPECT_TRUE(messages.shown().empty());
}

// Each refusal shows its message and sets page_err, but for set_pinc's; a missing page sends nothing.
TEST_F(PagesTest, MissingPagesAndOptionsOutOfRangeAreNamed)
{
    doc->Add(1, 1);
    const Shown missing(u"Page 7 isn't indexed!"_s, u"'find_page' ERROR"_s, 16, true),
        range(u"Options must be in the range 0 to 12"_s, u"'PPpages:page_data' ERROR"_s, 16, true);
    const std::pair<std::function<void()>, Shown> refused[] = {
        {[&] { EXPECT_EQ(doc->find_page(7), nullptr); }, missing},
        {[&] { EXPECT_EQ(doc->find_index(7), 0); }, {u"Page 7 isn't indexed!"_s, u"'find_index' ERROR"_s, 16, true}},
        {[&] { doc->print_it(7); }, missing},
        {[&] { EXPECT_FALSE(doc->page_data(14).isValid()); }, range},
        {[&] { EXPECT_FALSE(doc->page_data(-1).isValid()); }, range},
        {[&] { doc->set_pinc(3); }, {u"The value must be 1 or 2."_s, u"'set_pinc' ERROR"_s, 16, false}}};
    for (const auto& [act, shown] : refused) {
        page_err = false;
        act();
        EXPECT_EQ(last_shown(), shown);
    }
    EXPECT_EQ(std::pair(printer.calls().empty(), doc->window().isVisible()), std::pair(true, false));
}

TEST_F(PagesTest, PaperAndPreviewScaleComeFromThePrinterSheetAndPageParmsChangesOnlyWhatIsGiven)
{
    // Printable 8 x 10.5 on 8.5 x 11: a quarter inch unprintable on each side;
    // a 14800-twip frame pictures 11 inches at 0.934 of their size.
    const std::array<float, 14>& s = doc->page_settings();
    EXPECT_EQ(std::pair(s[11], s[12]), std::pair(0.25f, 0.25f));
    EXPECT_FLOAT_EQ(doc->page_data(0).toFloat(), 11.0f - 0.8f - 0.8f);
    EXPECT_EQ(std::tuple(doc->page_data(8).value<std::int16_t>(), doc->page_data(9).value<std::int32_t>(),
                         doc->page_data(13).toFloat()),  // option 13 too, though the message says 0 to 12
              std::tuple(std::int16_t(1), 0xffffff, s[13]));
    EXPECT_FLOAT_EQ(s[13], 14800.0f / 1440 / 11);
    EXPECT_EQ(doc->margin_presets(), (std::array<float, 7>{0.75f, 0.75f, 0.75f, 0.75f, 0, 0, 0}));
    // The surface fonts are the printer's times preview_scale, never enlarged.
    EXPECT_FLOAT_EQ(doc->window().surface().font_scale(), s[13]);

    doc->page_parms({}, {}, 1.5f, {}, {}, 0.5f);
    EXPECT_EQ((std::array<float, 8>{s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]}),
              (std::array<float, 8>{11 - 0.8f - 1.5f, 8.5f - 0.8f - 0.5f, 0.8f, 0.4f, 1.5f, 0.2f, 0.8f, 0.5f}));
    doc->page_parms({}, {}, {}, {}, {}, {}, {}, 0x00ff00);
    EXPECT_EQ(std::pair(doc->page_data(8).toInt(), doc->page_data(9).toInt()), std::pair(1, 0x00ff00));
    EXPECT_EQ(surface.back_color(), 0x00ff00);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PagesTest, PrintItEndsAPrinterPageOrTheDocumentOnTheFinalPage)
{
    fill(2);
    printer.forget();
    doc->compose(0, 1, 1);
    doc->final_page(2);
    doc->compose(0, 1, 2);
    EXPECT_EQ(std::pair(document_ends(), doc->get_local_page()),
              std::pair(std::vector{Kind::new_page, Kind::end_doc}, std::int16_t(2)));
}

TEST_F(PagesTest, APageRunningOffTheBottomIsStillShown)
{
    fill(1);
    doc->set_page_content([this](std::int16_t& mode, float& zoom, std::int16_t& page) {
        PPpage* p = doc->find_page(page);
        p->set_pp(mode);
        p->set_zoom(zoom);
        float y = 10.6f, pl = 0;
        p->add_f_text(u"one line too many"_s, y, true, 0, pl, 0, 0);
        doc->print_it(page);
    });
    doc->window().hide();
    doc->compose(1, 1, 1);
    EXPECT_EQ(messages.last().text, u"The text is longer than a PAGE."_s);
    EXPECT_TRUE(doc->window().isVisible());
}

TEST_F(PagesTest, MissingCursorPicturesAreReportedAndTheDocumentWorks)
{
    const QTemporaryDir bare;
    host.folder = bare.path();
    doc = std::make_unique<PPpages>(DocumentDevices{&printer, &sheet, &surface});
    EXPECT_EQ(last_shown(), Shown(u"File '"_s + bare.path() + u"/graphics/mag-minus.ico' doesn't exist."_s,
                                  u"'set_up' ERROR"_s, 16, true));
    page_err = false;
    EXPECT_NE(doc->Add(1, 1), nullptr);
}

}  // namespace
}  // namespace qid::testing
