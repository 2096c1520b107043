#include "page_fixture.h"

namespace qid::testing {
namespace {

using PageModelTest = PageTest;

TEST_F(PageModelTest, OptionsOutsideTheTableAreRefused)
{
    for (std::int16_t opt : {std::int16_t(14), std::int16_t(-1)}) {
        messages.clear();
        page_err = false;
        page.set_sizes(opt, 3);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().text, QStringLiteral("Options must be in the range 0 to 13"));
        EXPECT_EQ(messages.last().title, QStringLiteral("'Set_sizes' ERROR"));
        EXPECT_EQ(messages.last().icon, 16);
        EXPECT_TRUE(page_err);
    }
    page_err = false;
    EXPECT_FALSE(page.page_data(14).isValid());
    EXPECT_EQ(messages.last().title, QStringLiteral("'PPpage:page_data' ERROR"));
    EXPECT_TRUE(page_err);
}



TEST_F(PageModelTest, ZoomOnlyOnTheSurface)
{
    page.set_zoom(2);
    EXPECT_EQ(page.page_data(10).toFloat(), 1.0f);
    page.set_pp(1);
    page.set_zoom(2);
    EXPECT_EQ(page.page_data(10).toFloat(), 2.0f);
}

TEST_F(PageModelTest, StartingOnATargetLeavesThePreviousOne)
{
    page.set_pp(1);
    ASSERT_FALSE(printer.calls().empty());
    EXPECT_EQ(printer.calls().back().kind, DrawCall::Kind::abandon_doc);
    EXPECT_EQ(page.state().cur_y, 1.0f);
    page.set_pp(0);
    EXPECT_EQ(surface.calls().back().kind, DrawCall::Kind::clear);
}

TEST_F(PageModelTest, AlignmentAndPaperColour)
{
    page.set_align(4);
    EXPECT_EQ(messages.last().text, QStringLiteral("Alignment codes must be in the range 0 to 3"));
    EXPECT_EQ(messages.last().title, QStringLiteral("ALIGNMENT ERROR"));
    EXPECT_EQ(messages.last().icon, 64);
    EXPECT_EQ(page.state().align, 0);
    page.set_align(2);
    EXPECT_EQ(page.state().align, 2);

    std::int32_t colour = 0;
    page.set_p_col(colour);
    EXPECT_EQ(colour, 0xffffff);
    EXPECT_EQ(surface.back_color(), 0xffffff);
}


using FontTest = PageTest;

TEST_F(FontTest, FontChangesOnlyWhatItIsGiven)
{
    page.font(QString(), 3);
    EXPECT_EQ(page.font_data(0).toString(), QStringLiteral("Arial"));
    EXPECT_EQ(page.font_data(1).toFloat(), 12.0f);
    page.font(QStringLiteral("Georgia"), 24, {}, true);
    EXPECT_EQ(printer.font().name, QStringLiteral("Georgia"));
    EXPECT_TRUE(printer.font().italic);
    EXPECT_EQ(page.state().text_h, 0.5f);
    EXPECT_EQ(page.state().space_w, 0.25f);
    page.font(QString(), 0, true, {}, {}, {}, {}, std::int16_t(400));
    EXPECT_FALSE(page.font_data(2).toBool());
    EXPECT_EQ(page.font_data(7).toString(), QStringLiteral("400"));
    page.font(QString(), 0, {}, {}, {}, {}, {}, std::int16_t(401));
    EXPECT_TRUE(page.font_data(2).toBool());
    EXPECT_EQ(printer.font().weight, 401);
}

TEST_F(FontTest, SurfaceSizeFollowsScaleAndZoom)
{
    page.set_sizes(13, 0.5);
    page.set_pp(1);
    page.set_zoom(2);
    page.set_font(10, 1);
    EXPECT_EQ(printer.font().size, 10.0f);
    EXPECT_EQ(surface.font().size, 10.0f);
    page.font(QString(), 12);
    EXPECT_EQ(surface.font().size, 12.0f);
    page.set_zoom(3);
    page.font(QString(), 12);
    EXPECT_EQ(surface.font().size, 18.0f);
}

TEST_F(FontTest, SetFontAndFontDataRanges)
{
    page.set_font(true, 2);
    EXPECT_EQ(page.font_data(7).toString(), QStringLiteral("700"));
    EXPECT_EQ(printer.font().weight, 700);
    page.set_font(400, 7);
    EXPECT_FALSE(page.font_data(2).toBool());
    page.set_font(platform::rgb_value(1, 2, 3), 6);
    EXPECT_EQ(surface.fore_color(), platform::rgb_value(1, 2, 3));

    page.set_font(1, 8);
    EXPECT_EQ(messages.last().text, QStringLiteral("Options must be in the range 0 to 7"));
    EXPECT_EQ(messages.last().title, QStringLiteral("'font_data' ERROR"));
    EXPECT_TRUE(page_err);
    page_err = false;
    EXPECT_FALSE(page.font_data(-1).isValid());
    EXPECT_TRUE(page_err);
}

TEST_F(FontTest, ColourLockKeepsTheTextColour)
{
    page.set_col_lock(true);
    page.font(QString(), 0, {}, {}, {}, {}, platform::rgb_value(9, 9, 9));
    EXPECT_EQ(printer.fore_color(), platform::rgb_value(9, 9, 9));
    printer.set_fore_color(0);
    page.font(QString(), 12);  // applies the base font, but not its colour
    EXPECT_EQ(printer.fore_color(), 0);
    float y = 2;
    float pl = 0;
    page.add_f_text(QStringLiteral("\\q12/x"), y, true, 0, pl, 0, 0);
    EXPECT_EQ(drawn()[0].color, 0);
}

}  // namespace
}  // namespace qid::testing
