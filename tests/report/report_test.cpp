// The report: its texts, fonts and positions for the observations of each step, and its pages.
#include <cmath>

#include <gtest/gtest.h>

#include "document/document_fixture.h"
#include "identify/cell.h"
#include "platform/fonts.h"
#include "report/report.h"
#include "support/qt_print.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

// Fixed-metric targets (characters 0.125 x 0.25 inch) and a wholly printable 8.5 x 12.25 sheet, on which
// page 1 holds 39 names under the observations of the fruit step.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::set_host(&host);
        page_err = false;
        set_report_margins();
        pages = std::make_shared<PPpages>(DocumentDevices{&printer, &sheet, &surface});
        pages->window().set_PPpages(pages.get());
        pages->page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
        window_observations = {
            {QString(), QStringLiteral("UNCHANGED")}, true, 0, {QString(), QStringLiteral("AS ABOVE")}, {}, {}, 0};
        window_factors = {};
        name_species(40);
        for (int s = 0; s < 3; ++s)
            select(s, 3);
        stage = 0;
    }
    void TearDown() override
    {
        pages.reset();
        platform::set_host(nullptr);
    }

    // Species "sp01" .. in the table.
    static void name_species(int n)
    {
        species_count = static_cast<std::int16_t>(n);
        species_name.assign(static_cast<std::size_t>(n) + 1, QString());
        for (int i = 1; i <= n; ++i)
            species_name[static_cast<std::size_t>(i)] = QStringLiteral("sp%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    // Step s keeps the first n species.
    static void select(int s, int n)
    {
        auto& row = selected[static_cast<std::size_t>(s)];
        row.assign(static_cast<std::size_t>(n) + 1, 0);
        row[0] = static_cast<std::int16_t>(n);
        for (int k = 1; k <= n; ++k)
            row[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k);
    }
    // The window's identification, as PRINT reports it.
    static ReportSubject window_report()
    {
        return {window_table, window_observations, window_factors, stage, selected};
    }
    // PRINT, with the header dated 3 May 2004.
    void print()
    {
        print_report(*pages, window_report());
        for (PPpage* p : rep_pages)
            if (p)
                p->set_clock([] { return QDate(2004, 5, 3); });
    }
    // Page n composed for the printer (mode 0) or the preview (mode 1).
    static void compose(std::int16_t mode, std::int16_t n)
    {
        float zoom = 1;
        report_page(mode, zoom, n);
    }
    // Page n composed for the printer, as runs of text: "*" bold, "/" italic,
    // then the text and where it stands.
    QStringList page(std::int16_t n)
    {
        printer.forget();
        compose(0, n);
        return runs(printer);
    }
    static QStringList runs(const platform::TestTarget& t)
    {
        struct Run { QString text; float x, y, end; };
        std::vector<Run> found;
        for (const platform::DrawCall& c : t.texts()) {
            const float w = static_cast<float>(c.text.size()) * c.font.size / 96;
            if (!found.empty() && found.back().y == c.y && std::fabs(found.back().end - c.x) < 1e-4f) {
                found.back().text += c.text;
                found.back().end = c.x + w;
                continue;
            }
            const QString style = QString::fromLatin1(c.font.bold ? "*" : "") + (c.font.italic ? "/" : "");
            found.push_back({style + c.text, c.x, c.y, c.x + w});
        }
        QStringList out;
        for (const Run& r : found)
            out << QStringLiteral("%1 @%2,%3").arg(r.text).arg(r.x, 0, 'f', 3).arg(r.y, 0, 'f', 3);
        return out;
    }

    FixedScreenHost host;
    RecordingMessages messages;
    platform::TestTarget printer;
    platform::TestTarget surface;
    FixedSheet sheet{{8.5, 12.25}, {8.5, 12.25}};
};

const QStringList header = {u"*03/05/04 @0.800,0.400"_s, u"*Kelbine identification @2.646,0.400"_s};

QStringList names(int from, int to, float y)
{
    QStringList out;
    for (int k = from; k <= to; ++k, y += 0.25f)
        out << u"/Quenla sp%1 @0.800,%2"_s.arg(k, 2, 10, QLatin1Char('0')).arg(y, 0, 'f', 3);
    return out;
}

// The header, the body, then the heading and the first three species from trees_y.
QStringList expected(const QStringList& body, float trees_y)
{
    return header + body + QStringList{u"*SELECTED TREES @0.800,%1"_s.arg(trees_y, 0, 'f', 3)} +
           names(1, 3, trees_y + 0.25f);
}

struct Case {
    const char* name;
    std::int16_t stage;
    std::function<void()> observe;
    QStringList body;
    float trees_y;
};

TEST_F(ReportTest, EverySectionWritesWhatWasObserved)
{
    // The tree type, the fruit heading and the shape most cases start with.
    const QString normal = u"Tree type is normal @0.800,0.800"_s, fruit = u"*FRUIT @0.800,1.300"_s,
                  sphere = u"Shape: spherical @1.800,1.300"_s;
    const std::vector<Case> cases = {
        {"nothing entered: the tree type, the shape and the list", 0, [] {}, {normal, fruit, sphere}, 1.8f},
        {"a young tree whose berries change colour", 0,
         [] {
             size_factor = 0.8f;
             fruit_colour = {u"RED"_s, u"BLACK"_s};
             spherical = false;
             berry_size = 9;
         },
         {u"Tree type is young or small @0.800,0.800"_s, fruit, u"Colour: RED @1.800,1.300"_s,
          u" changing to BLACK @3.175,1.550"_s, u"Shape: ellipsoidal, size = 9mm @1.800,1.800"_s},
         2.3f},
        {"UNCHANGED and AS ABOVE leave their items out", 1,
         [] {
             fruit_colour = {u"RED"_s, u"UNCHANGED"_s};
             leaf_colour = {u"DARK GREEN"_s, u"AS ABOVE"_s};
             leaf_size = {6, 180, 50, 20};
         },
         {normal, fruit, u"Colour: RED @1.800,1.300"_s, u"Shape: spherical @1.800,1.550"_s, u"*LEAF @0.800,1.800"_s,
          u"Colour above : DARK GREEN @1.800,1.800"_s, u"Leaf size = 180mm @1.800,2.050"_s,
          u"Leaflet pairs = 6 @4.025,2.050"_s, u"Leaflets; L = 50mm, W = 20mm @6.250,2.050"_s},
         2.55f},
        {"a leaflet length without its width", 1,
         [] {
             leaf_colour = {u"MID GREEN"_s, u"GREY-GREEN"_s};
             leaf_size = {0, 0, 50, 0};
         },
         {normal, fruit, sphere, u"*LEAF @0.800,1.550"_s, u"Colour above : MID GREEN, below GREY-GREEN @1.800,1.550"_s},
         2.3f},
        {"only a leaf length", 1, [] { leaf_colour = {}; leaf_size = {0, 180, 0, 0}; },
         {normal, fruit, sphere, u"*LEAF @0.800,1.550"_s, u"Colour above : , below  @1.800,1.550"_s,
          u"Leaf size = 180mm @1.800,1.800"_s},
         2.3f},
        {"no leaf data at step 2: the buds follow the fruit", 2,
         [] {
             bud_prop = {u"RED-BROWN"_s, u"HAIRLESS"_s, u"YES"_s};
             bud_length = 8;
         },
         {normal, fruit, sphere, u"*BUD @0.800,1.550"_s,
          u"Colour: RED-BROWN Hairs: HAIRLESS Sticky? YES Length = 8mm @1.800,1.550"_s},
         2.05f},
        {"no bud data at step 2", 2, [] { bud_prop = {QString(), u"WOOLLY"_s, QString()}; },
         {normal, fruit, sphere, u"*BUD @0.800,1.550"_s, u" Hairs: WOOLLY @1.800,1.550"_s}, 2.05f},
    };
    for (const Case& c : cases) {
        SetUp();
        c.observe();
        stage = c.stage;
        print();
        EXPECT_EQ(page(1), expected(c.body, c.trees_y)) << c.name;
        EXPECT_TRUE(messages.shown().empty()) << c.name;
        TearDown();
    }
}

TEST_F(ReportTest, AReportAfterBackShowsTheStepNowShown)
{
    leaf_size = {6, 0, 0, 0};
    bud_length = 8;
    select(1, 2);
    select(2, 1);
    stage = 1;  // BACK from step 2
    print();
    const QStringList got = page(1);
    EXPECT_EQ(got.filter(u"BUD"_s), QStringList());
    EXPECT_EQ(got.mid(got.size() - 3), (QStringList{u"*SELECTED TREES @0.800,2.300"_s} + names(1, 2, 2.55f)));
}

TEST_F(ReportTest, SpeciesNamesAreDrawnAsSpelledInItalicGeorgia)
{
    species_name[2] = uR"(a\b/c\\d)"_s;
    print();
    EXPECT_EQ(page(1).at(7), uR"(/Quenla a\b/c\\d @0.800,2.300)"_s);
    EXPECT_TRUE(messages.shown().empty());
    // The base font of the list is Georgia, italic; the rest Century Gothic.
    EXPECT_EQ(printer.texts().back().font.name, u"Georgia"_s);
    EXPECT_EQ(printer.texts()[30].font.name, u"Century Gothic"_s);
}

TEST_F(ReportTest, EveryCompositionOfAPageWithRealFontsLooksTheSame)
{
    // On the program's own printer and preview surface, where bold headings
    // are taller than the base font: the first picture of a page is the one
    // every redraw gives.
    TearDown();
    platform::install_font_substitutes();  // the program's fonts, whose bold is taller
    platform::set_host(&host);
    pages = std::make_shared<PPpages>();
    pages->window().set_PPpages(pages.get());
    name_species(60);
    select(0, 60);
    print_report(*pages, window_report());
    const QImage first = pages->window().surface().image().copy();
    compose(1, 1);
    EXPECT_TRUE(pages->window().surface().image() == first);
    EXPECT_EQ(rep_page_count, 2);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ReportTest, AMissingPageIsReportedTwice)
{
    print();
    messages.clear();
    compose(1, 9);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].title, u"'find_page' ERROR"_s);
    EXPECT_EQ(std::tuple(messages.last().text, messages.last().title, messages.last().icon, page_err),
              std::tuple(u"Page number 9 doesn't exist!"_s, u"MAIN PROGRAM  ERROR"_s, 16, true));
    EXPECT_EQ(page(1).size(), 9);  // the next composition is not spoilt by that error
}

TEST_F(ReportTest, NothingIsComposedWithoutAShownStep)
{
    print();
    surface.forget();
    stage = -1;  // the cascade went back to its start
    compose(1, 1);
    EXPECT_TRUE(surface.calls().empty());
    EXPECT_TRUE(messages.shown().empty());
    const std::size_t pages_before = pages->page_col().size();
    print_report(*pages, window_report());
    EXPECT_EQ(pages->page_col().size(), pages_before);
}

// A list longer than a page goes on over as many pages as it needs, each with the header and the
// heading once: every name once, in order.
TEST_F(ReportTest, ThePagesFollowTheRoomTheListNeeds)
{
    for (const auto& [n, counts] : std::vector<std::pair<int, std::vector<qsizetype>>>{
             {3, {3}}, {39, {39}}, {40, {39, 1}}, {49, {39, 10}}, {120, {39, 43, 38}}}) {
        SetUp();
        name_species(n);
        select(0, n);
        print();
        std::vector<qsizetype> sizes;
        QStringList all, expected;
        for (std::int16_t p = 1; p <= rep_page_count; ++p) {
            const QStringList runs = page(p), listed = runs.filter(u"/Quenla"_s);
            EXPECT_EQ(std::pair(runs.mid(0, 2), runs.filter(u"SELECTED TREES"_s).size()), std::pair(header, qsizetype(1))) << p;
            sizes.push_back(listed.size());
            for (const QString& run : listed)
                all << run.section(u' ', 1, 1);
        }
        for (int k = 1; k <= n; ++k)
            expected << u"sp%1"_s.arg(k, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(std::pair(sizes, all), std::pair(counts, expected)) << n << " species";
        std::int16_t count = 0, first = 0, last = 0;
        pages->num_pge(count, first, last);
        EXPECT_EQ(std::tuple(count, rep_page_count, pages->window().FlatScrollBar(3)->maximum()),
                  std::tuple(std::int16_t(counts.size()), std::int16_t(counts.size()), int(counts.size())));
        EXPECT_TRUE(messages.shown().empty()) << n << " species";
        if (n == 49) {
            // Page 2 starts with the heading at the top margin; page 1's last name
            // still starts inside the text area, 0.6 inch above the paper's edge.
            EXPECT_EQ(page(2).mid(2, 3), (QStringList{u"*SELECTED TREES @0.800,0.800"_s,
                                                      u"/Quenla sp40 @0.800,1.050"_s, u"/Quenla sp41 @0.800,1.300"_s}));
            EXPECT_EQ(page(1).last(), u"/Quenla sp39 @0.800,11.550"_s);
        }
        TearDown();
    }
}

}  // namespace
}  // namespace qid::testing
