// The layout engine on fixed-metric targets (1-inch margins, 12-point text 0.125 x 0.25 inch).
#include <cmath>
#include <map>
#include <random>
#include <tuple>

#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "pagelayout/test_page.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;
using platform::DrawCall;
using XY = std::pair<float, float>;

XY at(const DrawCall& c) { return {c.x, c.y}; }

// The reference page, its paper's unprintable offsets as given.
void set_sizes(PPpage& page, double x_off = 0, double y_off = 0)
{
    const double sizes[14] = {9, 6, 1, 0.5, 1, 0.25, 1, 1, 1, 0xffffff, 1, x_off, y_off, 1};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        page.set_sizes(opt, sizes[opt]);
}

// A green picture one inch by half an inch at 96 dots per inch.
QString save_leaf(const QTemporaryDir& dir)
{
    QImage image(96, 48, QImage::Format_RGB32);
    image.fill(Qt::green);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    const QString picture = dir.filePath(u"leaf.png"_s);
    return image.save(picture) ? picture : QString();
}

class PageTest : public ::testing::Test, protected TestPage {
protected:
    void SetUp() override
    {
        page_err = false;
        set_sizes(page);
        page.set_pp(0);
        printer.forget();
    }

    // One paragraph at the reference Y, which starts 2 inches down.
    void add(const QString& text, int alg = 0, float indent = 0, bool line_end = true)
    {
        page.add_f_text(text, y, line_end, alg, pl, 0, indent);
    }
    std::vector<DrawCall> drawn() const { return printer.texts(); }
    QString drawn_text() const
    {
        QString s;
        for (const DrawCall& c : drawn())
            s += c.text;
        return s;
    }
    // The drawn characters grouped by the Y they stand on, in drawing order.
    std::map<float, std::vector<DrawCall>> lines() const
    {
        std::map<float, std::vector<DrawCall>> by_y;
        for (const DrawCall& c : drawn())
            by_y[c.y].push_back(c);
        return by_y;
    }
    // The message shown since the last check (shown times) and page_err; both are reset.
    void expect_message(const QString& text, const char* title, int icon, bool err = true, std::size_t shown = 1)
    {
        ASSERT_EQ(messages.shown().size(), shown) << qPrintable(text);
        const Recorded& m = messages.last();
        EXPECT_EQ(std::tuple(m.text, m.title, m.icon, page_err), std::tuple(text, QString::fromUtf8(title), icon, err));
        messages.clear();
        page_err = false;
    }

    RecordingMessages messages;
    float y = 2;
    float pl = 0;
};

using ParagraphTest = PageTest;

// Centred and right lines keep to the text area (1 to 7 inches) less the indent: a positive indent
// narrows it on the left, a negative one on both sides; a partial line goes on two space widths on.
TEST_F(ParagraphTest, AlignedLinesKeepToTheIndentedAreaAndPartialLinesGoOn)
{
    // The last row follows a paragraph ending in an overstrike, which ends with it.
    const struct { int alg; float indent, first_x; QString before; } cases[] = {
        {1, 0, 3.75f, {}}, {2, 0, 6.5f, {}}, {1, 1, 4.25f, {}}, {2, 1, 6.5f, {}}, {1, -1, 3.75f, {}},
        {2, -1, 5.5f, {}}, {0, 0, 1.0f, u"ab\\k/"_s}};  // 1 + (6 - 0.5) / 2
    for (const auto& c : cases) {
        add(c.before);
        printer.forget();
        y = 2;
        add(u"abcd"_s, c.alg, c.indent);
        ASSERT_EQ(drawn().size(), 4u);
        EXPECT_EQ(drawn()[0].x, c.first_x) << "alignment " << c.alg << ", indent " << c.indent;
    }
    // Every line of a long right-aligned or justified paragraph ends at the right limit, none
    // beyond, one line below the last; the last justified line is flush left, character by character.
    const QString words = u"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj"_s;
    const struct { int alg; float indent; QString text; std::size_t n; } long_lines[] = {
        {2, 1, words + u" kkkk llll mmmm"_s, 2}, {2, -1, words + u" kkkk llll mmmm"_s, 3}, {3, -1, words, 2},
        {3, 0, u"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi rho sigma "
               u"tau upsilon phi chi psi omega one two"_s, 3}};
    for (const auto& c : long_lines) {
        SCOPED_TRACE(::testing::Message() << "alignment " << c.alg << ", indent " << c.indent);
        printer.forget();
        y = 2;
        add(c.text, c.alg, c.indent);
        EXPECT_EQ(XY(page.state().right_lim, y), XY(7.0f - std::max(0.0f, -c.indent), 2 + 0.25f * c.n));
        const auto by_y = lines();
        ASSERT_EQ(by_y.size(), c.n);
        float line_y = 2;
        for (const auto& [at_y, chars] : by_y) {
            EXPECT_EQ(XY(chars.front().x, at_y), XY(c.alg == 3 ? 1 + std::fabs(c.indent) : chars.front().x, line_y));
            EXPECT_GE(chars.front().x, 1.0f + std::fabs(c.indent));
            if (c.alg == 2 || at_y != by_y.rbegin()->first) {
                EXPECT_FLOAT_EQ(chars.back().x + 0.125f, page.state().right_lim);
            } else {
                for (std::size_t i = 1; i < chars.size(); ++i)
                    EXPECT_FLOAT_EQ(chars[i].x, chars[i - 1].x + 0.125f);
            }
            line_y += 0.25f;
        }
    }
    printer.forget();
    y = 2;
    float hp = 0;
    page.add_text(u"abcd"_s, hp, true, y, 1, 0);  // one run, centred
    ASSERT_EQ(drawn().size(), 1u);
    EXPECT_EQ(std::tuple(drawn()[0].text, at(drawn()[0]), y), std::tuple(u"abcd"_s, XY(3.75f, 2.0f), 2.25f));
    printer.forget();
    y = 2;
    add(u"abc"_s, 0, 0, false);
    EXPECT_EQ(XY(pl, y), XY(0.625f, 2.0f));
    add(u"de"_s);
    ASSERT_EQ(drawn().size(), 5u);
    EXPECT_EQ(at(drawn()[3]), XY(1.625f, 2.0f));
    EXPECT_EQ(XY(pl, y), XY(0.0f, 2.25f));
    EXPECT_TRUE(printer.bottom_aligned() && printer.transparent());
}

// A superscript is raised 0.3 text height at 0.65 of the size, and N returns to the line; a
// subscript sits 0.1 text height below the line, after a superscript placed from the line
// again, measured in the raised font. An overstrike is centred on the previous character.
TEST_F(ParagraphTest, RaisedLoweredAndOverstruckText)
{
    add(u"x\\p/2\\n/y"_s);
    add(u"x\\s/a\\p/b\\n/c"_s);
    y = 2;
    add(u"x\\s/2\\n/y"_s);
    add(u"a\\k24/Ob"_s);
    const auto t = drawn();
    ASSERT_EQ(t.size(), 13u);
    EXPECT_EQ(std::tuple(t[1].y, t[1].font.size, t[2].y), std::tuple(2.0f + 0.1f * 0.25f, 12 * 0.65f, 2.0f));
    const float raised_h = 12 * 0.65f / 48;
    EXPECT_EQ(std::tuple(t[5].y, t[5].font.size), std::tuple(2.25f + 0.1f * raised_h, 12 * 0.65f));  // not shrunk twice
    EXPECT_EQ(std::tuple(t[4].y, t[6].y, t[6].font.size), std::tuple(2.25f - 0.3f * 0.25f, 2.25f, 12.0f));
    EXPECT_EQ(at(t[7]), XY(1.0f, 2.0f));
    EXPECT_EQ(std::tuple(t[8].x, t[8].y, t[8].font.size), std::tuple(1.125f, 2.0f - 0.3f * 0.25f, 12 * 0.65f));
    EXPECT_EQ(std::tuple(t[9].x, t[9].y, t[9].font.size), std::tuple(1.125f + 12 * 0.65f / 96, 2.0f, 12.0f));
    // "a" spans 1 .. 1.125; the 24-point "O" (0.25 wide) is centred on 1.0625 and takes no room.
    EXPECT_EQ(std::tuple(t[11].x, t[11].font.size, t[12].x), std::tuple(0.9375f, 24.0f, 1.125f));
}

// The character before next_line ends the first line at end_x; next_line starts the second.
TEST_F(ParagraphTest, LinesBreakAtTheRightLimit)
{
    const struct { const char* name; QString text; std::size_t drawn, next_line; float end_x, last_y; } cases[] = {
        {"LastWordPastTheLimitWrapsToANewLine", QString(46, u'a') + u" xy"_s, 48, 46, 6.625f, 2.25f},
        {"WordWiderThanTheLineIsBrokenAtTheLimit", QString(100, u'w'), 100, 48, 6.875f, 2.5f},
        // The measured line runs into the raised suffix; the line is still drawn on its baseline.
        {"TextBeforeASuperscriptAtTheBreakStaysOnTheBaseline", QString(44, u'a') + u" 21\\s/stuv\\n/ b"_s, 52, 44,
         6.375f, 2.25f},
        {"FontChangesCarryAcrossLinesOfOneParagraph", u"\\i/"_s + QString(40, u'a') + u" bbbbbbbbbbbb"_s, 52, 40,
         5.875f, 2.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.forget();
        y = 2;
        add(c.text);
        const auto t = drawn();
        ASSERT_EQ(t.size(), c.drawn);
        EXPECT_EQ(std::pair(at(t[0]), at(t[c.next_line - 1])), std::pair(XY(1.0f, 2.0f), XY(c.end_x, 2.0f)));
        EXPECT_EQ(std::pair(at(t[c.next_line]), t.back().y), std::pair(XY(1.0f, 2.25f), c.last_y));
        EXPECT_EQ(t[c.next_line].font.italic, c.text.startsWith(u"\\i/"_s));
    }
}

// The next line of a paragraph stands one line below the previous line's baseline (not below
// its raised text), lower still when taller text stands on it, and never higher than before.
TEST_F(ParagraphTest, NextLineStandsBelowTheBaselineWithRoomForItsTallestText)
{
    using Ys = std::vector<std::pair<std::size_t, float>>;  // drawn character, the Y it stands on
    const struct { const char* name; QString text; int alg; Ys ys; float end_y; } cases[] = {
        {"JustifiedLineEndingOnASuperscript", QString(44, u'a') + u" 2\\s/nd\\n/ bbbb"_s, 3,
         {{45, 2.0f}, {46, 1.925f}, {48, 2.25f}, {51, 2.25f}}, 2.5f},
        {"LineBreakingInsideASuperscriptGoesOnRaised", QString(44, u'a') + u" 2\\s/nd rd\\n/ bb"_s, 3,
         {{46, 1.925f}, {48, 2.175f}, {51, 2.25f}}, 2.5f},
        {"LineStartingWithALargerSize", QString(46, u'a') + u" \\24/bb\\n/ cc"_s, 0,
         {{45, 2.0f}, {46, 2.5f}, {50, 2.5f}}, 2.75f},
        {"LargerTextInsideTheNextLine", QString(46, u'a') + u" bb \\24/X\\n/ cc"_s, 0, {{46, 2.5f}, {49, 2.5f}},
         2.75f},
        {"SmallerTextAfterALargerLineKeepsTheLargerStep", u"\\24/"_s + QString(23, u'a') + u" \\12/bb"_s, 0,
         {{22, 2.0f}, {23, 2.5f}}, 2.75f},
        {"AnEmptyLineEndsOneLineBelowItsOwnYWhereverTheTargetLastDrew", QString(), 0, {}, 2.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.forget();
        y = 2;
        add(c.text, c.alg);
        const auto t = drawn();
        for (const auto& [i, line_y] : c.ys) {
            ASSERT_LT(i, t.size());
            EXPECT_FLOAT_EQ(t[i].y, line_y) << "character " << i << " " << qPrintable(t[i].text);
        }
        EXPECT_FLOAT_EQ(y, c.end_y);
    }
}

TEST_F(ParagraphTest, CodeGroupsApplyInOrderAndEndWithTheParagraph)
{
    // Then three paragraphs of doubled and stray backslashes, which are plain text, and a heading.
    for (const QString& text : {u"a\\biut14q9/b\\y/c\\d/d\\W/e\\/f"_s, u"\\q12/g\\q/h\\i14q4/i"_s, u"j"_s, u"a\\\\b"_s,
                                u"x\\b"_s, u"\\\\\\b/c"_s, u"\\b/SELECTED TREES\\n/"_s})
        add(text);
    const auto t = drawn();
    ASSERT_EQ(t.size(), 35u);  // spaces are drawn as well
    EXPECT_EQ(drawn_text(), u"abcdefghija\\bx\\b\\\\b/cSELECTED TREES"_s);
    EXPECT_EQ(std::pair(t[1].font.size, t[1].color), std::pair(14.0f, platform::rgb_value(0, 0, 255)));
    EXPECT_TRUE(t[1].font.bold && t[1].font.italic && t[1].font.underline && t[1].font.strikethrough);
    EXPECT_EQ(t[2].font.name + t[3].font.name + t[4].font.name, u"SymbolArialWingDings"_s);
    EXPECT_FALSE(t[5].font.bold);  // an empty group returns to the base font
    EXPECT_FLOAT_EQ(page.line_height(), 14.0f / 48);  // the taller font raised it for good
    EXPECT_EQ(std::pair(t[6].color, t[7].color), std::pair(platform::rgb_value(255, 0, 0), 0));
    EXPECT_EQ(std::tuple(t[9].font.italic, t[9].font.size, t[9].color), std::tuple(false, 12.0f, 0));  // no carry
    EXPECT_TRUE(messages.shown().empty());
    // The heading is a bold segment and an empty normal one, and the bold ends with it.
    ASSERT_EQ(page.seg_last(), 1);
    EXPECT_EQ(std::tuple(page.segs()[0].code, page.segs()[0].text, page.segs()[1].code, page.segs()[1].text),
              std::tuple(u"b"_s, u"SELECTED TREES"_s, u"n"_s, QString()));
    for (std::size_t i = 21; i < t.size(); ++i)
        EXPECT_EQ(std::pair(t[i].font.bold, t[i].font.weight), std::pair(true, 700));
    EXPECT_FALSE(printer.font().bold);
}

TEST_F(PageTest, BadOptionsAlignmentsAndCodesAreReported)
{
    const QString range_13 = u"Options must be in the range 0 to 13"_s;
    for (std::int16_t opt : {14, -1}) {
        page.set_sizes(opt, 3);
        expect_message(range_13, "'Set_sizes' ERROR", 16);
    }
    EXPECT_FALSE(page.page_data(14).isValid());
    expect_message(range_13, "'PPpage:page_data' ERROR", 16);
    page.set_font(1, 8);
    expect_message(u"Options must be in the range 0 to 7"_s, "'font_data' ERROR", 16);
    EXPECT_FALSE(page.font_data(-1).isValid());
    expect_message(u"Options must be in the range 0 to 7"_s, "'font_data' ERROR", 16);
    page.set_align(4);
    expect_message(u"Alignment codes must be in the range 0 to 3"_s, "ALIGNMENT ERROR", 64);
    EXPECT_EQ(page.state().align, 0);
    float hp = 0;
    page.add_text(u"abc"_s, hp, true, y, 3, 0);
    expect_message(u"Alignment codes must be 0, 1 or 2"_s, "'add_text' ERROR", 16);
    page.set_align(3);  // on a justified page a single line with the default alignment goes left
    hp = 0;
    page.add_text(u"abc"_s, hp, true, y, -1, 0);
    EXPECT_TRUE(messages.shown().empty() && !page_err);
    page.set_align(0);
    add(u"abc"_s, 4);
    expect_message(u"Alignment codes must be 0, 1, 2 or 3"_s, "'add_f_text' ERROR", 16);
    pl = 0.5f;
    add(u"abc"_s, 1);
    expect_message(u"You can't have a partial line with CENTRE or RIGHT alingments."_s, "ALIGNMENT ERROR", 16);
    y = 10.25f;
    pl = 1;
    page.add_f_text(u"one two"_s, y, true, 0, pl, 0.5f, 0);
    expect_message(u"The text is longer than a PAGE."_s, "'add_f_text' ERROR", 16, false);  // the page stays usable
    EXPECT_EQ(XY(pl, y), XY(0.0f, 10.75f));
    // Lowered text given a new size stands as far below its line as that size takes, and is
    // reported where it was drawn, past the area, though the paragraph ends back on its line.
    printer.forget();
    y = 9.55f;
    add(u"a\\1000/ \\p/\\36/low\\/"_s);
    expect_message(u"The text is longer than a PAGE."_s, "'add_f_text' ERROR", 16, false);
    EXPECT_FLOAT_EQ(drawn().back().y, 9.55f + 0.675f + 0.075f);  // the line at 10.225, inside
    // Code errors are shown while the line is measured and again while it is drawn.
    printer.forget();
    y = 2;
    add(u"\\q16/x"_s);
    expect_message(u"Code 'Q16' isn't a valid QB code."_s, "FORMAT CODE ERROR", 0, true, 2);
    add(u"\\5b/x"_s);  // the small size is refused, the rest of the group applies
    expect_message(u"Font sizes must be greater than 6"_s, "FORMAT CODE ERROR", 0, false, 2);
    EXPECT_EQ(std::pair(drawn()[1].font.size, drawn()[1].font.bold), std::pair(12.0f, true));
    // The smallest size refused, then the smallest accepted; the palette's last and first colour.
    const std::tuple<QString, float, int, std::size_t> bounds[] = {
        {u"\\6/x"_s, 12.0f, 0, 2}, {u"\\7/x"_s, 7.0f, 0, 0}, {u"\\q15/x"_s, 12.0f, 0xffffff, 0}, {u"\\q0/x"_s, 12.0f, 0, 0}};
    for (const auto& [code, size, colour, shown] : bounds) {
        printer.forget();
        add(code);
        EXPECT_EQ(std::tuple(messages.shown().size(), drawn().at(0).font.size, drawn().at(0).color),
                  std::tuple(shown, size, colour)) << qPrintable(code);
        messages.clear();
    }
    add(u"\\zb/x"_s);  // named upper-cased; ends the group
    expect_message(u"Code 'Z' not recognised."_s, "FORMAT CODE ERROR", 0, true, 2);
    EXPECT_FALSE(drawn().back().font.bold);
    page_err = true;  // while it is set nothing is drawn at all
    printer.forget();
    add(u"abc"_s);
    EXPECT_TRUE(drawn().empty());
}

TEST_F(PageTest, NumbersZoomTargetsAndPaperColour)
{
    page.page_numbers(3, 0);
    EXPECT_EQ(std::pair(page.page_number(1).toInt(), page.page_number(2).isValid()), std::pair(3, false));
    page.set_zoom(2);  // the printer has no zoom
    EXPECT_EQ(page.page_data(10).toFloat(), 1.0f);
    page.set_pp(1);
    ASSERT_FALSE(printer.calls().empty());
    EXPECT_EQ(std::pair(printer.calls().back().kind, page.state().cur_y), std::pair(DrawCall::Kind::abandon_doc, 1.0f));
    page.set_zoom(2);
    EXPECT_EQ(page.page_data(10).toFloat(), 2.0f);
    // Every composition starts from the line height of the page's own font, whatever the last one drew.
    page.font_defaults({u"Arial"_s, 16, false, false, false, false, 0, u"400"_s});
    add(u"\\24/tall"_s);
    page.set_pp(0);
    EXPECT_EQ(std::pair(surface.calls().back().kind, page.line_height()), std::pair(DrawCall::Kind::clear, 16.0f / 48));
    std::int32_t colour = 0;
    page.set_p_col(colour);
    EXPECT_EQ(std::pair(colour, surface.back_color()), std::pair(0xffffff, 0xffffff));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PageTest, FontChangesOnlyWhatItIsGivenAndALockedColourStays)
{
    page.font(QString(), 3);
    EXPECT_EQ(std::pair(page.font_data(0).toString(), page.font_data(1).toFloat()), std::pair(u"Arial"_s, 12.0f));
    page.font(u"Georgia"_s, 24);  // the layout measures follow the font
    EXPECT_EQ(XY(page.state().text_h, page.state().space_w), XY(0.5f, 0.25f));
    page.font(QString(), 0, true, {}, {}, {}, {}, std::int16_t(400));
    EXPECT_EQ(std::pair(page.font_data(2).toBool(), page.font_data(7).toString()), std::pair(false, u"400"_s));
    page.font(QString(), 0, {}, {}, {}, {}, {}, std::int16_t(401));
    EXPECT_EQ(std::pair(page.font_data(2).toBool(), printer.font().weight), std::pair(true, 401));
    // With the colour locked neither the base font nor the Q code sets the text colour.
    page.set_col_lock(true);
    page.font(QString(), 0, {}, {}, {}, {}, platform::rgb_value(9, 9, 9));
    EXPECT_EQ(printer.fore_color(), platform::rgb_value(9, 9, 9));
    printer.set_fore_color(0);
    page.font(QString(), 12);
    EXPECT_EQ(printer.fore_color(), 0);
    add(u"\\q12/x"_s);
    ASSERT_EQ(drawn().size(), 1u);
    EXPECT_EQ(drawn()[0].color, 0);
    // Sizes on the surface follow preview_scale and the zoom.
    page.set_sizes(13, 0.5);
    page.set_pp(1);
    page.set_zoom(2);
    page.set_font(10, 1);
    EXPECT_EQ(XY(printer.font().size, surface.font().size), XY(10.0f, 10.0f));
    page.set_zoom(3);
    page.font(QString(), 12);
    EXPECT_EQ(surface.font().size, 18.0f);
    add(u"\\20/x"_s);  // a size code too
    EXPECT_EQ(surface.texts().back().font.size, 30.0f);
}

// Size 0 is the picture's own, < 0 a fraction of the text area; hh < 0 centres; vv > 0 is the top.
TEST_F(PageTest, PicturesFitTheTextAreaOrAreRefusedAndBoxesOutline)
{
    const QTemporaryDir dir;
    const QString picture = save_leaf(dir);
    ASSERT_FALSE(picture.isEmpty());
    const struct { float gw, gh, hh, vv, x, y, w, h, hh_after, vv_after; } placed[] = {
        {0, 0, -1, 0, 3.5f, 1.25f, 1, 0.5f, 4.5f, 2},
        {-1, 0, 0, 2, 1, 3, 6, 3, 7, 6.25f},
        {2, -0.25f, 0.5f, 0, 1.5f, 1.25f, 2, 2.25f, 3.5f, 3.75f}};
    for (auto c : placed) {
        page.set_pp(0);
        page.add_graphic(picture, c.gw, c.gh, c.hh, c.vv);
        const DrawCall& p = printer.calls().back();
        ASSERT_EQ(p.kind, DrawCall::Kind::picture);
        EXPECT_EQ(std::tuple(p.x, p.y, p.w, p.h), std::tuple(c.x, c.y, c.w, c.h));
        EXPECT_EQ(std::tuple(c.hh, c.vv, page.state().cur_y), std::tuple(c.hh_after, c.vv_after, c.vv_after));
    }
    const QString missing = dir.filePath(u"none.gif"_s);
    const std::tuple<QString, float, float, QString> refused[] = {
        {picture, -1.5f, 0, u"-1.5 is an unacceptable width."_s},
        {picture, 7, 0, u"The original graphic is too wide for the page."_s},
        {picture, 1, -2, u"-2 is an unacceptable height."_s},
        {picture, 1, 8, u"The selected height is too tall for the page."_s},
        {missing, 0, 0, u"File '"_s + missing + u"' doesn't exist."_s}};
    page.set_pp(0);
    printer.forget();
    float hh = 0, vv = 0, hp = 2;
    for (const auto& [path, gw, gh, text] : refused) {
        page.add_graphic(path, gw, gh, hh, vv);
        expect_message(text, "GRAPHIC IMPORT ERROR", 16);
        EXPECT_EQ(page.state().cur_y, 1.0f);
    }
    EXPECT_TRUE(printer.calls().empty());
    page.add_box(5, hp, 1.5f, 0.5f);  // from its lower left corner
    const DrawCall& b = printer.calls().back();
    ASSERT_EQ(b.kind, DrawCall::Kind::box);
    EXPECT_EQ(std::tuple(b.x, b.y, b.w, b.h, b.width), std::tuple(2.0f, 4.5f, 3.5f, 5.0f, 1));
    EXPECT_EQ(XY(hp, printer.current_y()), XY(3.5f, 5.0f));
}

TEST_F(PageTest, FooterSitsBelowTheTextAreaAndBodyRestartsAtTheTop)
{
    page.font(QString(), 12, {}, true);
    page.page_numbers(4, 0);
    page.head_foot(1, u"pr"_s, u"Foot"_s, u"PA"_s, QString(), 10, true);
    const auto t = drawn();
    ASSERT_EQ(t.size(), 12u);
    EXPECT_EQ(drawn_text(), u"ivFootPage 4"_s);
    for (const DrawCall& c : t)  // at top_m + area_h + foot_off
        EXPECT_EQ(std::tuple(c.y, c.font.size, c.font.bold, c.font.italic), std::tuple(10.25f, 10.0f, true, false));
    EXPECT_EQ(std::pair(t[0].x, page.state().cur_y), XY(1.0f, 1.0f));
    EXPECT_FLOAT_EQ(t[11].x + 10.0f / 96, 7.0f);
    EXPECT_EQ(std::tuple(page.font_data(1).toFloat(), page.font_data(2).toBool(), page.font_data(3).toBool()),
              std::tuple(12.0f, false, false));  // the body font is back
}

// A page with an item of every kind, composed on one target with the given unprintable
// offsets: the calls that place something, and where the page ends up.
std::pair<std::vector<DrawCall>, XY> compose(std::int16_t target, float x_off, float y_off, const QString& picture)
{
    TestPage t;
    set_sizes(t.page, x_off, y_off);
    t.page.set_clock([] { return QDate(2004, 5, 3); });
    t.page.set_pp(target);
    t.page.head_foot(0, u"sd"_s, u"Title"_s, u"pr"_s, {}, 0, false);
    float y = 2, hp = 1.5f, pl = 0;
    t.page.add_text(u"single"_s, hp, false, y, 0, 0);
    t.page.add_text(u" line"_s, hp, true, y, 0, 0);
    hp = 0;
    t.page.add_text(u"centred"_s, hp, true, y, 1, 0);
    t.page.add_f_text(u"a paragraph of words long enough to go over two lines of the page"_s, y, false, 3, pl, 0, 0);
    t.page.add_f_text(u"\\b/and on"_s, y, true, 0, pl, 0, 0);
    t.page.add_f_text(u"right"_s, y, true, 2, pl, 0, 0.5f);
    float gx = -1, gy = 0, bx = 2;
    t.page.add_graphic(picture, 1, 0.5f, gx, gy);
    t.page.add_box(gy + 1, bx, 1, 0.5f);
    t.page.head_foot(1, {}, u"pa"_s, {}, {}, 0, false);
    std::vector<DrawCall> placed;
    for (const DrawCall& call : (target == 0 ? t.printer : t.surface).calls())
        if (call.kind == DrawCall::Kind::text || call.kind == DrawCall::Kind::picture ||
            call.kind == DrawCall::Kind::box)
            placed.push_back(call);
    return {placed, {y, bx}};
}

// On the printer every item is drawn its unprintable offsets up and to the left of its page
// position, so that it lands there measured from the paper's corner; on the surface nothing moves.
TEST_F(PageTest, EveryItemOnThePrinterMovesByTheOffsetsAndNothingOnTheSurface)
{
    const QTemporaryDir dir;
    const QString picture = save_leaf(dir);
    for (std::int16_t target : {0, 1}) {
        const auto [at_corner, corner_end] = compose(target, 0, 0, picture);
        const auto [offset, offset_end] = compose(target, 0.25f, 0.125f, picture);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().text.toStdString();
        const float dx = target == 0 ? 0.25f : 0, dy = target == 0 ? 0.125f : 0;
        ASSERT_EQ(offset.size(), at_corner.size());
        int kinds = 0;
        for (std::size_t i = 0; i < offset.size(); ++i) {
            const DrawCall &a = at_corner[i], &b = offset[i];
            EXPECT_EQ(std::tuple(b.kind, b.text), std::tuple(a.kind, a.text));
            EXPECT_FLOAT_EQ(b.x, a.x - dx) << "target " << target << ": " << a.text.toStdString() << " #" << i;
            EXPECT_FLOAT_EQ(b.y, a.y - dy) << "target " << target << ": " << a.text.toStdString() << " #" << i;
            if (a.kind == DrawCall::Kind::box) {  // both corners
                EXPECT_EQ(std::pair(b.w, b.h), std::pair(a.w - dx, a.h - dy));
            }
            kinds |= 1 << static_cast<int>(a.kind);
        }
        EXPECT_EQ(kinds, 1 << 0 | 1 << 3 | 1 << 4);  // texts, a picture, a box
        EXPECT_EQ(offset_end, corner_end);  // the page itself counts in page positions whatever the offsets
    }
    EXPECT_FALSE(page_err);
}

TEST(PageNumberTest, RomanNumeralsAndDates)
{
    const std::pair<int, const char*> numerals[] = {
        {3, "iii"}, {4, "iv"}, {5, "v"}, {8, "viii"}, {9, "ix"}, {30, "xxx"}, {40, "xl"}, {80, "lxxx"}, {90, "xc"},
        {300, "ccc"}, {400, "cd"}, {800, "dccc"}, {900, "cm"}, {3000, "mmm"}, {3888, "mmmdccclxxxviii"},
        {49, "xlix"}, {1999, "mcmxcix"}, {4000, "mmmm"}, {-14, "xiv"}, {0, ""},
        {-32768, "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmdcclxviii"}};
    for (const auto& [n, numeral] : numerals)
        EXPECT_EQ(PPpage::roman(n), QString::fromUtf8(numeral)) << n;
    const QStringList suffixes = (u"st nd rd th th th th th th th th th th th th th th th th th "
                                  u"st nd rd th th th th th th th st"_s).split(u' ');
    for (int day = 1; day <= 31; ++day) {
        const QDate date(2004, 1, day);
        EXPECT_EQ(PPpage::super_date(date, false), u"January %1 %2, 2004"_s.arg(day).arg(suffixes[day - 1]));
        EXPECT_EQ(PPpage::super_date(date, true), u"January %1\\s/%2\\n/, 2004"_s.arg(day).arg(suffixes[day - 1]));
    }
}

// Splitting reads every character once: a million characters of doubled backslashes (each
// pair one literal backslash, a longer run one less) split in milliseconds; the bound
// leaves room for slow sanitizer builds, removing one backslash at a time took seconds.
TEST_F(ParagraphTest, SplittingTakesTimeInProportionToTheText)
{
    const QString pairs = u"\\\\ "_s.repeated(350000);
    QElapsedTimer clock;
    clock.start();
    add(pairs + u"\\b/x"_s);
    EXPECT_LT(clock.elapsed(), 2000);
    ASSERT_EQ(page.seg_last(), 1);
    EXPECT_EQ(page.segs()[0].text, u"\\ "_s.repeated(350000));
    EXPECT_EQ(std::pair(page.segs()[1].code, page.segs()[1].text), std::pair(u"b"_s, u"x"_s));
    const std::tuple<QString, QString, QString> split[] = {
        {u"x\\\\\\\\y\\b/z"_s, u"x\\\\\\y"_s, u"z"_s},   // a run of four backslashes keeps three
        {u"a\\\\b\\c\\\\d"_s, u"a\\b\\c\\\\d"_s, QString()}};  // nothing after a lone backslash changes
    for (const auto& [text, leading, after_group] : split) {
        page_err = false;  // the long text ran off the page
        y = 2;
        add(text);
        EXPECT_EQ(page.segs()[0].text, leading) << qPrintable(text);
        EXPECT_EQ(page.seg_last(), after_group.isEmpty() ? 0 : 1) << qPrintable(text);
    }
}

// Generated texts of every kind lay out to the end and draw each non-space character once.
TEST_F(PageTest, EveryGeneratedTextIsLaidOutCompletely)
{
    const QStringList pieces = (uR"(\ / \\ \b/ \i/ \s/ \p/ \n/ \k/ \q3/ \q99/ \z/ \5/ \36/ \y/ \w/ \d/ \/ )"
                                uR"(\bu14q12/ \s é ß /\/ \\\ \999999999999/ \q/)"_s).split(u' ');
    std::mt19937 rng(20240601);
    const auto below = [&](qsizetype n) { return int(std::uniform_int_distribution<qsizetype>(0, n - 1)(rng)); };
    std::uniform_real_distribution<float> offset(0, 7);
    page.set_sizes(0, 1e9);  // long enough for every text, even in a 32767-point font
    for (int round = 0; round < 3000; ++round) {
        QString text = round % 500 ? QString() : QString(10000, u'm');
        for (int n = below(41); n > 0; --n)  // words and pieces, each with 0 to 2 spaces after it
            text += (below(4) ? QString(1 + below(15), QChar(u'b' + below(15))) : pieces[below(pieces.size())])
                    + QString(below(3), u' ');
        page_err = false;
        page.set_pp(0);
        printer.forget();
        const int alg = below(4);
        y = 1.5f;
        pl = alg == 1 || alg == 2 || below(2) ? 0 : offset(rng);
        add(text, alg, below(2) ? offset(rng) - 3.5f : 0, below(2) == 1);
        qsizetype undrawn = 0;  // non-space characters of the text less those drawn
        for (const Segment& s : page.segs())
            undrawn += s.text.size() - s.text.count(u' ');
        for (const DrawCall& c : drawn())
            undrawn -= c.text != u" "_s ? c.text.size() : 0;
        ASSERT_EQ(undrawn, 0) << qPrintable(text);
    }
}

}  // namespace
}  // namespace qid::testing
