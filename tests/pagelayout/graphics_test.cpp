#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "page_fixture.h"

namespace qid::testing {
namespace {

class GraphicsTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        // 96 x 48 pixels at 96 dots per inch: one inch by half an inch.
        QImage image(96, 48, QImage::Format_RGB32);
        image.fill(Qt::green);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        picture = dir.filePath(QStringLiteral("leaf.png"));
        ASSERT_TRUE(image.save(picture));
    }

    DrawCall last_picture() const
    {
        for (auto it = printer.calls().rbegin(); it != printer.calls().rend(); ++it)
            if (it->kind == DrawCall::Kind::picture)
                return *it;
        return {};
    }

    void expect_refused(const QString& text)
    {
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().title, QStringLiteral("GRAPHIC IMPORT ERROR"));
        EXPECT_EQ(messages.last().icon, 16);
        EXPECT_TRUE(page_err);
        EXPECT_EQ(page.state().cur_y, 1.0f);
        page_err = false;
    }

    QTemporaryDir dir;
    QString picture;
};

TEST_F(GraphicsTest, OwnSizeCentredBelowTheRunningY)
{
    float hh = -1;
    float vv = 0;
    page.add_graphic(picture, 0, 0, hh, vv);
    const DrawCall p = last_picture();
    EXPECT_FLOAT_EQ(p.w, 1.0f);
    EXPECT_FLOAT_EQ(p.h, 0.5f);
    EXPECT_FLOAT_EQ(p.x, 3.5f);
    EXPECT_FLOAT_EQ(p.y, 1.25f);  // top_m + line_h
    EXPECT_FLOAT_EQ(hh, 4.5f);
    EXPECT_FLOAT_EQ(vv, 2.0f);
    EXPECT_FLOAT_EQ(page.state().cur_y, 2.0f);
}

TEST_F(GraphicsTest, FractionsOfTheTextAreaAndPlacement)
{
    float hh = 0;
    float vv = 2;
    page.add_graphic(picture, -1, 0, hh, vv);
    DrawCall p = last_picture();
    EXPECT_FLOAT_EQ(p.x, 1.0f);
    EXPECT_FLOAT_EQ(p.w, 6.0f);
    EXPECT_FLOAT_EQ(p.h, 3.0f);
    EXPECT_FLOAT_EQ(p.y, 3.0f);
    hh = 0.5f;
    vv = 0;
    page.set_pp(0);
    page.add_graphic(picture, 2, -0.25f, hh, vv);
    p = last_picture();
    EXPECT_FLOAT_EQ(p.x, 1.5f);
    EXPECT_FLOAT_EQ(p.h, 2.25f);
}

TEST_F(GraphicsTest, EachRefusalHasItsMessage)
{
    float hh = 0;
    float vv = 0;
    page.add_graphic(picture, -1.5f, 0, hh, vv);
    expect_refused(QStringLiteral("-1.5 is an unacceptable width."));
    page.add_graphic(picture, 7, 0, hh, vv);
    expect_refused(QStringLiteral("The original graphic is too wide for the page."));
    page.add_graphic(picture, 1, -2, hh, vv);
    expect_refused(QStringLiteral("-2 is an unacceptable height."));
    page.add_graphic(picture, 1, 8, hh, vv);
    expect_refused(QStringLiteral("The selected height is too tall for the page."));
    const QString missing = dir.filePath(QStringLiteral("none.gif"));
    page.add_graphic(missing, 0, 0, hh, vv);
    expect_refused(QStringLiteral("File '") + missing + QStringLiteral("' doesn't exist."));
    EXPECT_EQ(last_picture().w, 0.0f);  // nothing was drawn
}

TEST_F(GraphicsTest, BoxOutlinesFromItsLowerLeftCorner)
{
    float hp = 2;
    page.add_box(5, hp, 1.5f, 0.5f);
    const DrawCall& b = printer.calls().back();
    ASSERT_EQ(b.kind, DrawCall::Kind::box);
    EXPECT_EQ(b.x, 2.0f);
    EXPECT_EQ(b.y, 4.5f);
    EXPECT_EQ(b.w, 3.5f);
    EXPECT_EQ(b.h, 5.0f);
    EXPECT_EQ(b.width, 1);
    EXPECT_EQ(hp, 3.5f);
    EXPECT_EQ(printer.current_y(), 5.0f);
    page.set_pp(1);
    page.set_zoom(2.6f);
    page.add_box(5, hp, 1, 1);
    EXPECT_EQ(surface.calls().back().width, 2);
}

TEST_F(GraphicsTest, FooterSitsBelowTheTextAreaAndBodyRestartsAtTheTop)
{
    page.font(QString(), 12, {}, true);
    page.page_numbers(4, 0);
    page.head_foot(1, QStringLiteral("pr"), QStringLiteral("Foot"), QStringLiteral("PA"), QString(), 10, true);
    const auto t = drawn();
    ASSERT_EQ(t.size(), 12u);
    for (const DrawCall& c : t) {
        EXPECT_EQ(c.y, 10.25f);
        EXPECT_EQ(c.font.size, 10.0f);
        EXPECT_TRUE(c.font.bold);
        EXPECT_FALSE(c.font.italic);
    }
    EXPECT_EQ(joined(t), QStringLiteral("ivFootPage 4"));
    EXPECT_EQ(t[0].x, 1.0f);
    EXPECT_FLOAT_EQ(t[11].x + 10.0f / 96, 7.0f);
    EXPECT_EQ(page.state().cur_y, 1.0f);
    EXPECT_FALSE(page.font_data(3).toBool());
    EXPECT_EQ(page.font_data(1).toFloat(), 12.0f);
    EXPECT_FALSE(page.font_data(2).toBool());
}

TEST_F(GraphicsTest, HeaderDatesComeFromTheClock)
{
    page.set_clock([] { return QDate(2004, 5, 3); });
    page.head_foot(0, QStringLiteral("sd"), QString(), QStringLiteral("ld"), QString(), 0, false);
    const auto t = drawn();
    EXPECT_EQ(joined(t), QStringLiteral("03/05/04May 3rd, 2004"));
    EXPECT_EQ(t[0].y, 0.5f);
    const DrawCall& r = t[13];  // the raised "r"
    EXPECT_EQ(r.text, QStringLiteral("r"));
    EXPECT_FLOAT_EQ(r.y, 0.5f - 0.3f * 0.25f);
    EXPECT_EQ(t[15].text, QStringLiteral(","));
    EXPECT_EQ(t[15].y, 0.5f);
}

TEST(RomanTest, Numerals)
{
    EXPECT_EQ(PPpage::roman(4), QStringLiteral("iv"));
    EXPECT_EQ(PPpage::roman(49), QStringLiteral("xlix"));
    EXPECT_EQ(PPpage::roman(1999), QStringLiteral("mcmxcix"));
    EXPECT_EQ(PPpage::roman(4000), QStringLiteral("mmmm"));
    EXPECT_EQ(PPpage::roman(-14), QStringLiteral("xiv"));
    EXPECT_EQ(PPpage::roman(0), QString());
    EXPECT_EQ(PPpage::roman(-32768), QStringLiteral("mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmdcclxviii"));
}

TEST(SuperDateTest, OrdinalSuffixes)
{
    const struct {
        int day;
        const char* suffix;
    } cases[] = {{1, "st"},  {2, "nd"},  {3, "rd"},  {4, "th"},  {10, "th"}, {11, "th"}, {12, "th"},
                 {13, "th"}, {20, "th"}, {21, "st"}, {22, "nd"}, {23, "rd"}, {30, "th"}, {31, "st"}};
    for (const auto& c : cases) {
        const QDate date(2004, 1, c.day);
        const QString s = QLatin1String(c.suffix);
        EXPECT_EQ(PPpage::super_date(date, false), QStringLiteral("January %1 %2, 2004").arg(c.day).arg(s));
        EXPECT_EQ(PPpage::super_date(date, true), QStringLiteral("January %1\\s/%2\\n/, 2004").arg(c.day).arg(s));
    }
    EXPECT_EQ(PPpage::super_date(QDate(2004, 5, 3), false), QStringLiteral("May 3 rd, 2004"));
}

}  // namespace
}  // namespace qid::testing
