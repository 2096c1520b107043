// Layout of the message window in twips, button rows, answers and icons,
// with the message seam recording instead of showing.
#include <map>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "msgbox_fixture.h"
#include "shell/numbers.h"

namespace qid::testing {
namespace {

const QString long_text =
    "There are no trees which match the entered FRUIT, LEAF and BUD data! Press EXTEND to widen every size range.";

class LayoutTest : public MsgBoxTest {
protected:
    float th() const { return static_cast<float>(window().text_extent("Hello").height()); }
    static float label_h() { return twips(window().Label1).height; }
};

TEST_F(LayoutTest, OneWordGetsTheNarrowestLabelInACentredWindow)
{
    mbx().message_box("Hello", 0, 64, "FRUIT DATA CHECK", 2000, 0);
    const TwipRect label = twips(window().Label1);
    EXPECT_FLOAT_EQ(label.width, 4500);
    EXPECT_FLOAT_EQ(label.height, th() + 240);
    EXPECT_FLOAT_EQ(label.top, 200);
    const auto button_top = static_cast<float>(round_half_even(th() + 240 + 400));
    EXPECT_FLOAT_EQ(twips(window().Command1).top, button_top);
    const TwipRect w = twips(&window());
    EXPECT_FLOAT_EQ(w.width, 600 + 4500 + 600);
    EXPECT_FLOAT_EQ(w.left, (19200 - 5700) / 2.0f);
    EXPECT_FLOAT_EQ(w.top, 2000);
    EXPECT_FLOAT_EQ(w.height, button_top + 420 + 200 + 400);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(450, 133));  // in pixels
    const Recorded& r = messages.last();
    EXPECT_TRUE(r.own_box && !r.input && r.icon == 64 && r.buttons == 0 && r.title == "FRUIT DATA CHECK");

    mbx().message_box("Hello", 0, 0, "T", 1500, 700);
    EXPECT_FLOAT_EQ(twips(&window()).left, 700);
    screen.width_px = 3840;  // 57600 twips: more than 16 bits
    mbx().message_box("Hello", 0, 0, "T", 2000, 0);
    EXPECT_FLOAT_EQ(twips(&window()).left, (57600 - 5700) / 2.0f);
}

TEST_F(LayoutTest, LongTextWrapsAtTheWidestLabel)
{
    ASSERT_GT(window().text_extent(long_text).width(), 8000);
    ASSERT_LT(window().text_extent(long_text).width(), 12000);  // two lines at 8000
    mbx().message_box(long_text, 0, 64, "T", 2000, 0);
    EXPECT_FLOAT_EQ(twips(window().Label1).width, 8000);
    EXPECT_FLOAT_EQ(label_h(), th() + 240 + 240);
    EXPECT_FLOAT_EQ(twips(&window()).width, 600 + 8000 + 600);

    // Many wrapped lines: the label grows until all of them are shown.
    mbx().message_box(long_text + " " + long_text + " " + long_text, 0, 64, "T", 2000, 0);
    EXPECT_GT(label_h(), th() + 480);
    EXPECT_LE(window().Label1->heightForWidth(window().Label1->width()), window().Label1->height());
}

TEST_F(LayoutTest, ScaleOneAndAHalf)
{
    MsgBx().modify("", 0, 1.5f, 0, 0);
    EXPECT_FLOAT_EQ(twips(window().Command3).width, 1800);
    EXPECT_FLOAT_EQ(twips(window().Command3).height, 630);
    EXPECT_DOUBLE_EQ(window().Label1->font().pointSizeF(), 15);
    EXPECT_DOUBLE_EQ(window().Text1->font().pointSizeF(), 18);
    mbx().message_box("Hello", 2, 48, "T", 2000, 0);
    EXPECT_FLOAT_EQ(twips(window().Command7).left, 3200 * 1.5f);
    EXPECT_FLOAT_EQ(twips(window().Label1).width, 6750);
    EXPECT_FLOAT_EQ(twips(&window()).height, twips(window().Command5).top + 630 + 300 + 400);
    EXPECT_EQ(window().Command5->height(), 42);
}

TEST_F(LayoutTest, ButtonSetsLeftToRight)
{
    const char* rows[] = {"300 OK", "300 OK 1750 CANCEL", "300 ABORT 1750 RETRY 3200 IGNORE",
        "300 CANCEL 1750 YES 3200 NO", "300 YES 1750 NO", "300 RETRY 1750 CANCEL", "300 OK"};  // 6: no such set
    for (int vb = 0; vb < 7; ++vb) {
        mbx().message_box("Hello", vb, 0, "T", 2000, 0);
        std::map<float, QString> row;
        for (QPushButton* b : window().findChildren<QPushButton*>())
            if (!b->isHidden())
                row[twips(b).left] = b->text();
        QStringList got;
        for (const auto& [left, caption] : row)
            got << QString::number(left) << caption;
        EXPECT_EQ(got.join(' '), rows[vb]);
    }
}

TEST_F(LayoutTest, InputBoxAnswersTypedTextOrNothing)
{
    mbx box;
    messages.answer(platform::answer_ok, "Quenla alba");
    EXPECT_EQ(box.input_box("Name?", 32, "SEARCH", "alba", 2000, 0), "Quenla alba");
    EXPECT_FALSE(page_err);
    EXPECT_TRUE(messages.last().input && messages.last().buttons == 1 && window().Text1->text() == "alba");
    const TwipRect line = twips(window().Text1);
    EXPECT_TRUE(line.top == label_h() + 400 && line.width == 5700 - 600 && line.left == 300);
    EXPECT_FLOAT_EQ(twips(window().Command2).top, static_cast<float>(round_half_even(line.top + 420 + 200)));

    messages.answer(platform::answer_cancel, "typed");
    EXPECT_EQ(box.input_box("Name?", 32, "SEARCH", "", 2000, 0), "");
    EXPECT_TRUE(page_err);
    EXPECT_EQ(window().Text1->text(), "");  // not the previous box's default
}

TEST_F(LayoutTest, AnswersAndIcons)
{
    mbx box;
    messages.answer(platform::answer_yes);
    EXPECT_EQ(box.message_bx("Extend?", 4, 16, "T", 2000, 0).toInt(), 6);
    EXPECT_EQ(window().mes_icon->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));
    messages.answer(platform::answer_cancel);
    box.message_box("Go on?", 1, 64, "T", 2000, 0);
    EXPECT_TRUE(page_err && window().response().toInt() == 2);
    EXPECT_EQ(window().mes_icon->pixmap().toImage().pixelColor(16, 16), QColor(Qt::cyan));
    for (int icon : {0, 20, 1600}) {  // none, and values with no holder
        box.message_box("Hello", 0, icon, "T", 2000, 0);
        EXPECT_TRUE(window().mes_icon->pixmap().isNull()) << icon;
    }
}

}  // namespace
}  // namespace qid::testing
