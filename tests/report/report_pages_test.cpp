// A species list longer than a page goes on over as many pages as it needs.
#include "report_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

class ReportPagesTest : public ReportTest {
protected:
    // Every page of a report of n species at step 0: the names each lists.
    std::vector<QStringList> listed(int n)
    {
        name_species(n);
        select(0, n);
        print();
        std::vector<QStringList> out;
        for (std::int16_t p = 1; p <= rep_page_count; ++p) {
            const QStringList runs = page(p);
            EXPECT_EQ(runs.mid(0, 2), (QStringList{u"*03/05/04 @0.800,0.400"_s,
                                                   u"*Kelbine identification @2.646,0.400"_s}))
                << "page " << p;
            EXPECT_EQ(runs.filter(u"SELECTED TREES"_s).size(), 1) << "page " << p;
            out.push_back(runs.filter(u"/Quenla"_s));
        }
        return out;
    }
};

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
        TearDown();
    }
}

TEST_F(ReportPagesTest, LaterPagesStartWithTheHeadingAtTheTopMargin)
{
    listed(49);
    EXPECT_EQ(page(2).mid(2, 3), (QStringList{u"*SELECTED TREES @0.800,0.800"_s, u"/Quenla sp40 @0.800,1.050"_s,
                                              u"/Quenla sp41 @0.800,1.300"_s}));
    // Page 1's last name still starts inside the text area, 0.6 inch above the paper's edge.
    EXPECT_EQ(page(1).last(), u"/Quenla sp39 @0.800,11.550"_s);
}

}  // namespace
}  // namespace qid::testing
