// PRINT on the real main window, with the shipped species file.
#include <QLabel>
#include <QPointer>
#include <QScrollBar>

#include "document/pp_pages.h"
#include "document/preview.h"
#include "platform/fonts.h"
#include "report/report.h"
#include "shell/image_button.h"
#include "shell/startup.h"
#include "shell/window_fixture.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

class PrintButtonTest : public WindowTest {
protected:
    // The program's fonts, on which the report is laid out.
    void SetUp() override
    {
        platform::install_font_substitutes();
        WindowTest::SetUp();
    }
};

TEST_F(PrintButtonTest, TheWholeListOfFortyNineSpeciesGoesOverTwoPages)
{
    click(next);
    ASSERT_EQ(results().size(), 49);
    click(print);
    preview& shown = pages->window();
    ASSERT_TRUE(shown.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &shown);  // the main window waits
    EXPECT_EQ(std::pair(shown.Label2()->text(), shown.Label1()->text()), std::pair(u"P. 1 of 2"_s, u"100%"_s));
    ASSERT_EQ(rep_names.size(), 2u);
    EXPECT_EQ(rep_names[0].count + rep_names[1].count, 49);
    EXPECT_EQ(rep_names[1].first, rep_names[0].count + 1);
    QScrollBar* page_bar = shown.FlatScrollBar(3);
    QTest::mouseClick(page_bar, Qt::LeftButton, {}, QPoint(page_bar->width() - 4, page_bar->height() / 2));
    EXPECT_EQ(shown.Label2()->text(), u"P. 2 of 2"_s);
    EXPECT_TRUE(messages_.shown().empty());
    QTest::mouseClick(shown.Image1(1), Qt::LeftButton);
    EXPECT_FALSE(shown.isVisible());
}

TEST_F(PrintButtonTest, ExampleOneIsReportedOnOnePage)
{
    choose(initial_colour, "RED");
    choose(colour_above, "DARK GREEN");
    choose(bud_colour, "RED-BROWN");
    choose(bud_hairs, "HAIRLESS");
    choose(sticky, "YES");
    for (const auto& [s, text] : {std::pair{berry_size, "9"}, {pairs, "6"}, {leaf_length, "180"},
                                  {leaflet_length, "50"}, {leaflet_width, "20"}, {bud_length, "8"}})
        type(s, text);
    click(next);
    click(next);
    click(next);
    ASSERT_EQ(results(), QStringList{u"Quenla frutescens"_s});
    click(print);
    preview& shown = pages->window();
    EXPECT_EQ(shown.Label2()->text(), u"P. 1 of 1"_s);
    EXPECT_FALSE(shown.FlatScrollBar(1)->isVisible());
    EXPECT_EQ(rep_names.front().count, 1);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(PrintButtonTest, ExitClosesThePreviewAndThenTheMainWindow)
{
    click(next);
    click(print);
    const QPointer<preview> shown = &pages->window();
    shut_down();
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(pages, nullptr);
    EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace qid::testing
