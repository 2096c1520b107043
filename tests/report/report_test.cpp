// The report's texts, fonts and positions for the observations of each step,
// and its pages.
#include "platform/fonts.h"
#include "report_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

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
    const std::vector<Case> cases = {
        {"nothing entered: the tree type, the shape and the list", 0, [] {},
         {u"Tree type is normal @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Shape: spherical @1.800,1.300"_s}, 1.8f},
        {"a young tree whose berries change colour", 0,
         [] {
             size_factor = 0.8f;
             fruit_colour = {u"RED"_s, u"BLACK"_s};
             spherical = false;
             berry_size = 9;
         },
         {u"Tree type is young or small @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Colour: RED @1.800,1.300"_s,
          u" changing to BLACK @3.175,1.550"_s, u"Shape: ellipsoidal, size = 9mm @1.800,1.800"_s},
         2.3f},
        {"UNCHANGED and AS ABOVE leave their items out", 1,
         [] {
             fruit_colour = {u"RED"_s, u"UNCHANGED"_s};
             leaf_colour = {u"DARK GREEN"_s, u"AS ABOVE"_s};
             leaf_size = {6, 180, 50, 20};
         },
         {u"Tree type is normal @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Colour: RED @1.800,1.300"_s,
          u"Shape: spherical @1.800,1.550"_s, u"*LEAF @0.800,1.800"_s, u"Colour above : DARK GREEN @1.800,1.800"_s,
          u"Leaf size = 180mm @1.800,2.050"_s, u"Leaflet pairs = 6 @4.025,2.050"_s,
          u"Leaflets; L = 50mm, W = 20mm @6.250,2.050"_s},
         2.55f},
        {"a leaflet length without its width", 1,
         [] {
             leaf_colour = {u"MID GREEN"_s, u"GREY-GREEN"_s};
             leaf_size = {0, 0, 50, 0};
         },
         {u"Tree type is normal @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Shape: spherical @1.800,1.300"_s,
          u"*LEAF @0.800,1.550"_s, u"Colour above : MID GREEN, below GREY-GREEN @1.800,1.550"_s},
         2.3f},
        {"only a leaf length", 1, [] { leaf_colour = {}; leaf_size = {0, 180, 0, 0}; },
         {u"Tree type is normal @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Shape: spherical @1.800,1.300"_s,
          u"*LEAF @0.800,1.550"_s, u"Colour above : , below  @1.800,1.550"_s, u"Leaf size = 180mm @1.800,1.800"_s},
         2.3f},
        {"no leaf data at step 2: the buds follow the fruit", 2,
         [] {
             bud_prop = {u"RED-BROWN"_s, u"HAIRLESS"_s, u"YES"_s};
             bud_length = 8;
         },
         {u"Tree type is normal @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Shape: spherical @1.800,1.300"_s,
          u"*BUD @0.800,1.550"_s, u"Colour: RED-BROWN Hairs: HAIRLESS Sticky? YES Length = 8mm @1.800,1.550"_s},
         2.05f},
        {"no bud data at step 2", 2, [] { bud_prop = {QString(), u"WOOLLY"_s, QString()}; },
         {u"Tree type is normal @0.800,0.800"_s, u"*FRUIT @0.800,1.300"_s, u"Shape: spherical @1.800,1.300"_s,
          u"*BUD @0.800,1.550"_s, u" Hairs: WOOLLY @1.800,1.550"_s},
         2.05f},
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

// Every page of a report of n species at step 0, each with the header and
// the heading once: the names each lists.
class ReportPagesTest : public ReportTest {
protected:
    std::vector<QStringList> listed(int n)
    {
        name_species(n);
        select(0, n);
        print();
        std::vector<QStringList> out;
        for (std::int16_t p = 1; p <= rep_page_count; ++p) {
            const QStringList runs = page(p);
            EXPECT_EQ(runs.mid(0, 2), header) << "page " << p;
            EXPECT_EQ(runs.filter(u"SELECTED TREES"_s).size(), 1) << "page " << p;
            out.push_back(runs.filter(u"/Quenla"_s));
        }
        return out;
    }
};

// A list longer than a page goes on over as many pages as it needs.
TEST_F(ReportPagesTest, ThePagesFollowTheRoomTheListNeeds)
{
    for (const auto& [n, counts] : std::vector<std::pair<int, std::vector<qsizetype>>>{
             {3, {3}}, {39, {39}}, {40, {39, 1}}, {49, {39, 10}}, {120, {39, 43, 38}}}) {
        SetUp();
        const std::vector<QStringList> got = listed(n);
        std::vector<qsizetype> sizes;
        QStringList all;
        for (const QStringList& p : got) {
            sizes.push_back(p.size());
            for (const QString& run : p)
                all << run.section(u' ', 1, 1);
        }
        EXPECT_EQ(sizes, counts) << n << " species";
        QStringList expected;
        for (int k = 1; k <= n; ++k)
            expected << u"sp%1"_s.arg(k, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(all, expected) << "every name once, in order";
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
