#include "page_fixture.h"

namespace qid::testing {
namespace {

using CodesTest = PageTest;

TEST_F(CodesTest, HeadingSplitsIntoABoldSegmentAndAnEmptyNormalOne)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\b/SELECTED TREES\\n/"), y, true, 0, pl, 0, 0);
    ASSERT_EQ(page.seg_last(), 1);
    EXPECT_EQ(page.segs()[0].code, QStringLiteral("b"));
    EXPECT_EQ(page.segs()[0].text, QStringLiteral("SELECTED TREES"));
    EXPECT_EQ(page.segs()[1].code, QStringLiteral("n"));
    EXPECT_EQ(page.segs()[1].text, QString());
    const auto texts = drawn();
    ASSERT_EQ(texts.size(), 14u);  // the space is drawn as well
    for (const DrawCall& c : texts) {
        EXPECT_TRUE(c.font.bold);
        EXPECT_EQ(c.font.weight, 700);
    }
    EXPECT_FALSE(printer.font().bold);
}

TEST_F(CodesTest, EscapesAndStrayBackslashesArePlainText)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("a\\\\b"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(joined(drawn()), QStringLiteral("a\\b"));
    EXPECT_EQ(page.seg_last(), 0);
    printer.forget();
    page.add_f_text(QStringLiteral("x\\b"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(joined(drawn()), QStringLiteral("x\\b"));
    printer.forget();
    page.add_f_text(QStringLiteral("\\\\\\b/c"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(joined(drawn()), QStringLiteral("\\\\b/c"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(CodesTest, GroupsApplyEveryCodeInOrder)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("a\\biut14q9/b\\y/c\\d/d\\W/e"), y, true, 0, pl, 0, 0);
    const auto t = drawn();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[1].font.size, 14.0f);
    EXPECT_TRUE(t[1].font.bold && t[1].font.italic && t[1].font.underline && t[1].font.strikethrough);
    EXPECT_EQ(t[1].color, platform::rgb_value(0, 0, 255));
    EXPECT_EQ(t[2].font.name, QStringLiteral("Symbol"));
    EXPECT_EQ(t[3].font.name, QStringLiteral("Arial"));
    EXPECT_EQ(t[4].font.name, QStringLiteral("WingDings"));
    // The taller font raised the line height for good.
    EXPECT_FLOAT_EQ(page.line_height(), 14.0f / 48);
}

TEST_F(CodesTest, PaletteColourAndItsRange)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\q12/x"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(drawn()[0].color, platform::rgb_value(255, 0, 0));
    EXPECT_TRUE(messages.shown().empty());
    page.add_f_text(QStringLiteral("\\q/x"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(drawn()[1].color, 0);

    page.add_f_text(QStringLiteral("\\q16/x"), y, true, 0, pl, 0, 0);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().text, QStringLiteral("Code 'Q16' isn't a valid QB code."));
    EXPECT_EQ(messages.last().title, QStringLiteral("FORMAT CODE ERROR"));
    EXPECT_EQ(messages.last().icon, 0);
    EXPECT_TRUE(page_err);
}

TEST_F(CodesTest, SmallSizeIsRefusedAndTheGroupGoesOn)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\5b/x"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(messages.last().text, QStringLiteral("Font sizes must be greater than 6"));
    EXPECT_EQ(messages.last().title, QStringLiteral("FORMAT CODE ERROR"));
    EXPECT_EQ(messages.last().icon, 0);
    EXPECT_FALSE(page_err);
    ASSERT_EQ(drawn().size(), 1u);
    EXPECT_EQ(drawn()[0].font.size, 12.0f);
    EXPECT_TRUE(drawn()[0].font.bold);
}

TEST_F(CodesTest, UnknownCodeIsNamedUpperCasedAndEndsTheGroup)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\zb/x"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(messages.last().text, QStringLiteral("Code 'Z' not recognised."));
    EXPECT_EQ(messages.last().title, QStringLiteral("FORMAT CODE ERROR"));
    EXPECT_TRUE(page_err);
    EXPECT_FALSE(drawn()[0].font.bold);
    // Once while the line is measured and once while it is drawn.
    EXPECT_EQ(messages.shown().size(), 2u);
}

TEST_F(CodesTest, EmptyGroupReturnsToTheBaseFont)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\b/a\\/b"), y, true, 0, pl, 0, 0);
    EXPECT_TRUE(drawn()[0].font.bold);
    EXPECT_FALSE(drawn()[1].font.bold);
}

TEST_F(CodesTest, CodesDoNotCarryIntoTheNextParagraph)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\i20q4/a"), y, true, 0, pl, 0, 0);
    page.add_f_text(QStringLiteral("b"), y, true, 0, pl, 0, 0);
    EXPECT_FALSE(drawn()[1].font.italic);
    EXPECT_EQ(drawn()[1].font.size, 12.0f);
    EXPECT_EQ(drawn()[1].color, 0);
}

TEST_F(CodesTest, FontChangesCarryAcrossLinesOfOneParagraph)
{
    float y = 2;
    float pl = 0;
    const QString text = QStringLiteral("\\i/") + QString(40, QLatin1Char('a')) + QStringLiteral(" bbbbbbbbbbbb");
    page.add_f_text(text, y, true, 0, pl, 0, 0);
    const auto t = drawn();
    ASSERT_EQ(t.size(), 52u);
    EXPECT_EQ(t[40].y, 2.25f);
    EXPECT_TRUE(t[40].font.italic);
}

}  // namespace
}  // namespace qid::testing
