#include <map>

#include "page_fixture.h"

namespace qid::testing {
namespace {

using ParagraphTest = PageTest;

// Characters grouped by the Y they were drawn at, in drawing order.
std::map<float, std::vector<DrawCall>> lines_of(const std::vector<DrawCall>& calls)
{
    std::map<float, std::vector<DrawCall>> lines;
    for (const DrawCall& c : calls)
        lines[c.y].push_back(c);
    return lines;
}

TEST_F(ParagraphTest, JustifiedParagraphFillsEveryLineButTheLast)
{
    const QString text = QStringLiteral("alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu "
                                        "xi omicron pi rho sigma tau upsilon phi chi psi omega one two");
    float y = 2;
    float pl = 0;
    page.add_f_text(text, y, true, 3, pl, 0, 0);
    const auto lines = lines_of(drawn());
    ASSERT_EQ(lines.size(), 3u);
    int n = 0;
    for (const auto& [line_y, chars] : lines) {
        EXPECT_FLOAT_EQ(line_y, 2.0f + 0.25f * n);
        EXPECT_FLOAT_EQ(chars.front().x, 1.0f);
        if (++n < 3) {
            EXPECT_FLOAT_EQ(chars.back().x + 0.125f, page.state().right_lim) << "line " << n;
        } else {
            // Flush left: every character one width after the previous one.
            for (std::size_t i = 1; i < chars.size(); ++i)
                EXPECT_FLOAT_EQ(chars[i].x, chars[i - 1].x + 0.125f);
        }
    }
    EXPECT_EQ(page.state().right_lim, 7.0f);
    QString all;
    for (const auto& [line_y, chars] : lines)
        all += joined(chars);
    EXPECT_EQ(all.remove(QLatin1Char(' ')), QString(text).remove(QLatin1Char(' ')));
    EXPECT_FLOAT_EQ(y, 2.75f);
}

TEST_F(ParagraphTest, CentredAndRightLines)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("abcd"), y, true, 1, pl, 0, 0);
    page.add_f_text(QStringLiteral("abcd"), y, true, 2, pl, 0, 0);
    float hp = 0;
    page.add_text(QStringLiteral("abcd"), hp, true, y, 1, 0);
    const auto texts = drawn();
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0].x, 3.75f);  // 1 + (6 - 0.5) / 2
    EXPECT_EQ(texts[0].y, 2.0f);
    EXPECT_EQ(texts[4].x, 6.5f);   // ends at 7
    EXPECT_EQ(texts[4].y, 2.25f);
    EXPECT_EQ(texts[8].text, QStringLiteral("abcd"));
    EXPECT_EQ(texts[8].x, 3.75f);
    EXPECT_EQ(y, 2.75f);
}

TEST_F(ParagraphTest, NegativeIndentNarrowsBothSides)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj"), y, true, 3, pl, 0, -1);
    EXPECT_EQ(page.state().right_lim, 6.0f);
    const auto lines = lines_of(drawn());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.begin()->second.front().x, 2.0f);
    EXPECT_FLOAT_EQ(lines.begin()->second.back().x + 0.125f, 6.0f);
    EXPECT_EQ(std::prev(lines.end())->second.front().x, 2.0f);
}

TEST_F(ParagraphTest, PartialLineContinuesTwoSpacesAfterTheText)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("abc"), y, false, 0, pl, 0, 0);
    EXPECT_EQ(pl, 0.625f);
    EXPECT_EQ(y, 2.0f);
    page.add_f_text(QStringLiteral("de"), y, true, 0, pl, 0, 0);
    const auto texts = drawn();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[3].x, 1.375f + 2 * 0.125f);
    EXPECT_EQ(texts[3].y, 2.0f);
    EXPECT_EQ(pl, 0.0f);
    EXPECT_EQ(y, 2.25f);
}

TEST_F(ParagraphTest, PartialLineWithCentreIsRefused)
{
    float y = 2;
    float pl = 0.5f;
    page.add_f_text(QStringLiteral("abc"), y, true, 1, pl, 0, 0);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().text, QStringLiteral("You can't have a partial line with CENTRE or RIGHT alingments."));
    EXPECT_EQ(messages.last().title, QStringLiteral("ALIGNMENT ERROR"));
    EXPECT_EQ(messages.last().icon, 16);
    EXPECT_TRUE(page_err);
}

TEST_F(ParagraphTest, SuperscriptIsRaisedAndShrunkUntilNormal)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("x\\s/2\\n/y"), y, true, 0, pl, 0, 0);
    const auto texts = drawn();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].y, 2.0f);
    EXPECT_FLOAT_EQ(texts[1].y, 2.0f - 0.3f * 0.25f);
    EXPECT_FLOAT_EQ(texts[1].font.size, 12 * 0.65f);
    EXPECT_EQ(texts[1].x, 1.125f);
    EXPECT_EQ(texts[2].y, 2.0f);
    EXPECT_EQ(texts[2].font.size, 12.0f);
    EXPECT_FLOAT_EQ(texts[2].x, 1.125f + 12 * 0.65f / 96);
    EXPECT_FALSE(page.state().shifted);
}


TEST_F(ParagraphTest, OverstrikeIsCentredOverThePreviousCharacter)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("a\\k24/Ob"), y, true, 0, pl, 0, 0);
    const auto texts = drawn();
    ASSERT_EQ(texts.size(), 3u);
    // "a" spans 1 .. 1.125; the 24-point "O" (0.25 wide) is centred on 1.0625.
    EXPECT_EQ(texts[1].x, 0.9375f);
    EXPECT_EQ(texts[1].font.size, 24.0f);
    EXPECT_EQ(texts[2].x, 1.125f);  // the overstrike took no room
}

TEST_F(ParagraphTest, LastWordPastTheLimitWrapsToANewLine)
{
    // "xy" would end at 7.125, past the limit of 7, as the text ends.
    const QString text = QString(46, QLatin1Char('a')) + QStringLiteral(" xy");
    float y = 2;
    float pl = 0;
    page.add_f_text(text, y, true, 0, pl, 0, 0);
    const auto texts = drawn();
    ASSERT_EQ(texts.size(), 48u);
    EXPECT_EQ(texts[46].x, 1.0f);
    EXPECT_EQ(texts[46].y, 2.25f);
}

TEST_F(ParagraphTest, WordWiderThanTheLineIsBrokenAtTheLimit)
{
    float y = 2;
    float pl = 0;
    page.add_f_text(QString(100, QLatin1Char('w')), y, true, 0, pl, 0, 0);
    const auto lines = lines_of(drawn());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines.begin()->second.size(), 48u);
    EXPECT_EQ(lines.begin()->second.back().x, 6.875f);
}

TEST_F(ParagraphTest, TextBeforeASuperscriptAtTheBreakStaysOnTheBaseline)
{
    // The measured line runs into the raised suffix past the limit; drawing
    // must still start the line on its own baseline.
    const QString text = QString(44, QLatin1Char('a')) + QStringLiteral(" 21\\s/stuv\\n/ b");
    float y = 2;
    float pl = 0;
    page.add_f_text(text, y, true, 0, pl, 0, 0);
    const auto texts = drawn();
    EXPECT_EQ(texts[0].y, 2.0f);
    EXPECT_EQ(texts[43].y, 2.0f);
}

TEST_F(ParagraphTest, ParagraphPastTheFooterLineIsReported)
{
    float y = 10.25f;
    float pl = 1;
    page.add_f_text(QStringLiteral("one two"), y, true, 0, pl, 0.5f, 0);
    EXPECT_EQ(messages.last().text, QStringLiteral("The text is longer than a PAGE."));
    EXPECT_EQ(messages.last().title, QStringLiteral("'add_f_text' ERROR"));
    EXPECT_EQ(messages.last().icon, 16);
    EXPECT_EQ(pl, 0.0f);
    EXPECT_EQ(y, 10.75f);
}

TEST_F(ParagraphTest, AddTextPlacesAndContinues)
{
    float y = 3;
    float hp = 2.5f;
    page.add_text(QStringLiteral("abc"), hp, false, y, 2, 0);
    EXPECT_EQ(drawn()[0].x, 2.5f);  // hp wins over the alignment
    EXPECT_EQ(hp, 2.875f);
    page.add_text(QStringLiteral("de"), hp, true, y, -1, 0);
    EXPECT_EQ(drawn()[1].x, 2.875f);
    EXPECT_EQ(y, 3.25f);
    EXPECT_TRUE(printer.bottom_aligned());
    EXPECT_TRUE(printer.transparent());
}

TEST_F(ParagraphTest, BadAlignmentsAreReportedAndNothingIsDrawn)
{
    float y = 3;
    float hp = 0;
    page.add_text(QStringLiteral("abc"), hp, true, y, 3, 0);
    EXPECT_EQ(messages.last().text, QStringLiteral("Alignment codes must be 0, 1 or 2"));
    EXPECT_EQ(messages.last().title, QStringLiteral("'add_text' ERROR"));
    EXPECT_TRUE(page_err);
    page_err = false;
    float pl = 0;
    page.add_f_text(QStringLiteral("abc"), y, true, 4, pl, 0, 0);
    EXPECT_EQ(messages.last().text, QStringLiteral("Alignment codes must be 0, 1, 2 or 3"));
    EXPECT_EQ(messages.last().title, QStringLiteral("'add_f_text' ERROR"));
    EXPECT_EQ(messages.last().icon, 16);
    EXPECT_TRUE(page_err);
    // While the flag is set nothing is drawn at all.
    page.add_f_text(QStringLiteral("abc"), y, true, 0, pl, 0, 0);
    EXPECT_TRUE(drawn().empty());
}

}  // namespace
}  // namespace qid::testing
