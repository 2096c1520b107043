// The program's message window: layout, answers, appearance, reports and a real modal show.
#include <cmath>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "msgbox/mbx.h"
#include "msgbox/mesage_box.h"
#include "msgbox/msg_style.h"
#include "platform/host.h"
#include "recording_messages.h"
#include "core/numbers.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using Rect = std::array<float, 4>;  // left, top, width, height in twips

// A 1280 x 960 pixel screen at 96 DPI (15 twips a pixel), generated icons, the default look.
class MsgBoxTest : public ::testing::Test, public platform::Host {
protected:
    void SetUp() override
    {
        platform::set_host(this);
        QDir(folder.path()).mkpath("graphics");
        const std::pair<const char*, QColor> pictures[] = {{"Ostrel.ico", Qt::darkGreen}, {"ms_crit.gif", Qt::red},
            {"ms_ques.gif", Qt::blue}, {"ms_exclam.gif", Qt::yellow}, {"ms_info.gif", Qt::cyan}};
        for (const auto& [name, colour] : pictures) {
            QPixmap p(32, 32);  // PNG data under the icon's name: read by content
            p.fill(colour);
            p.save(folder.path() + "/graphics/" + name, "PNG");
        }
        app_path = folder.path() + "/";
        window();  // made, so that a style applies at once
        MsgBx().defaults(1, 1, 1.0f, 1, 1);
        page_err = false;
    }
    void TearDown() override { platform::set_host(nullptr); }
    platform::ScreenTwips screen() const override { return {width_px * 15, 960 * 15}; }
    double logical_dpi() const override { return 96.0; }

    static mesage_box& window() { return mesage_box::instance(); }
    static TwipRect twips(const QWidget* w) { return window().twips(w); }
    static Rect rect(const QWidget* w) { const TwipRect r = twips(w); return {r.left, r.top, r.width, r.height}; }
    static float th() { return static_cast<float>(window().text_extent("Hello").height()); }

    int width_px = 1280;
    QTemporaryDir folder;
    RecordingMessages messages;
};

TEST_F(MsgBoxTest, OneWordGetsTheNarrowestLabelInACentredWindowALongTextWrapsAtTheWidest)
{
    mbx().message_box("Hello", 0, 64, "FRUIT DATA CHECK", 2000, 0);
    const auto button_top = static_cast<float>(round_half_even(th() + 240 + 400));
    EXPECT_EQ(rect(window().Label1), (Rect{948, 200, 4500, th() + 240}));
    EXPECT_EQ(twips(window().Command1).top, button_top);
    EXPECT_EQ(rect(&window()), (Rect{(19200 - 5700) / 2.0f, 2000, 5700, button_top + 420 + 200 + 400}));
    EXPECT_EQ(window().geometry().topLeft(), QPoint(450, 133));  // in pixels
    mbx().message_box("Hello", 0, 0, "T", 1500, 700);
    EXPECT_EQ(twips(&window()).left, 700);
    width_px = 3840;  // 57600 twips: more than 16 bits
    mbx().message_box("Hello", 0, 0, "T", 2000, 0);
    EXPECT_EQ(twips(&window()).left, (57600 - 5700) / 2.0f);

    // A long text wraps at the widest label.
    const QString text = "There are no trees which match the entered FRUIT, LEAF and BUD data! Press EXTEND to widen "
                         "every size range.";
    ASSERT_TRUE(window().text_extent(text).width() > 8000 && window().text_extent(text).width() < 12000);  // 2 lines
    mbx().message_box(text, 0, 64, "T", 2000, 0);
    EXPECT_EQ(rect(window().Label1), (Rect{948, 200, 8000, th() + 240 + 240}));
    EXPECT_EQ(twips(&window()).width, 600 + 8000 + 600);
    mbx().message_box(text + " " + text + " " + text, 0, 64, "T", 2000, 0);  // the label grows to show all lines
    EXPECT_GT(twips(window().Label1).height, th() + 480);
    EXPECT_LE(window().Label1->heightForWidth(window().Label1->width()), window().Label1->height());
}

TEST_F(MsgBoxTest, ScaleOneAndAHalfEnlargesButtonsFontsAndSpacing)
{
    MsgBx().modify("", 0, 1.5f, 0, 0);
    for (const QPushButton* b : {window().Command1, window().Command2, window().Command3, window().Command4,
                                 window().Command5, window().Command6, window().Command7})
        EXPECT_EQ(std::pair(twips(b).width, twips(b).height), std::pair(1800.0f, 630.0f)) << qPrintable(b->text());
    EXPECT_EQ(window().Label1->font().pointSizeF(), 15);
    EXPECT_EQ(window().Text1->font().pointSizeF(), 18);
    mbx().message_box("Hello", 2, 48, "T", 2000, 0);
    EXPECT_EQ(std::pair(twips(window().Command7).left, twips(window().Label1).width), std::pair(3200 * 1.5f, 6750.0f));
    EXPECT_EQ(twips(&window()).height, twips(window().Command5).top + 630 + 300 + 400);
    EXPECT_EQ(window().Command5->height(), 42);
}

TEST_F(MsgBoxTest, ButtonSetsLeftToRight)
{
    const char* rows[] = {"300 OK", "300 OK 1750 CANCEL", "300 ABORT 1750 RETRY 3200 IGNORE",
        "300 CANCEL 1750 YES 3200 NO", "300 YES 1750 NO", "300 RETRY 1750 CANCEL", "300 OK"};  // 6: no such set
    for (int vb = 0; vb < 7; ++vb) {
        mbx().message_box("Hello", vb, 0, "T", 2000, 0);
        QMap<float, QString> row;  // "left caption" by left edge
        for (QPushButton* b : window().findChildren<QPushButton*>())
            if (!b->isHidden())
                row[twips(b).left] = QString::number(twips(b).left) + " " + b->text();
        EXPECT_EQ(row.values().join(' '), rows[vb]);
    }
}

TEST_F(MsgBoxTest, AnswersIconsAndTheInputLine)
{
    messages.answer(platform::answer_yes);
    EXPECT_EQ(mbx().message_bx("Extend?", 4, 16, "T", 2000, 0).toInt(), 6);
    const std::pair<int, QColor> icons[] = {{16, Qt::red}, {32, Qt::blue}, {48, Qt::yellow}, {64, Qt::cyan},
        {0, QColor()}, {20, QColor()}, {1600, QColor()}};  // none, and values with no holder
    for (const auto& [icon, colour] : icons) {
        mbx().message_box("Hello", 0, icon, "T", 2000, 0);
        const QImage shown = window().mes_icon->pixmap().toImage();
        EXPECT_EQ(shown.isNull() ? QColor() : shown.pixelColor(16, 16), colour) << icon;
    }

    messages.answer(platform::answer_ok, "Quenla alba");
    EXPECT_EQ(mbx().input_box("Name?", 32, "SEARCH", "alba", 2000, 0), "Quenla alba");
    EXPECT_TRUE(!page_err && messages.last().input && messages.last().buttons == 1 && window().Text1->text() == "alba");
    EXPECT_EQ(rect(window().Text1), (Rect{300, twips(window().Label1).height + 400, 5700 - 600, 420}));
    EXPECT_EQ(twips(window().Command2).top, static_cast<float>(round_half_even(twips(window().Text1).top + 420 + 200)));
    messages.answer(platform::answer_cancel, "typed");
    EXPECT_EQ(mbx().input_box("Name?", 32, "SEARCH", "", 2000, 0), "");
    EXPECT_TRUE(page_err && window().Text1->text().isEmpty());  // not the previous box's default
}

TEST_F(MsgBoxTest, ModifyAppliesOnlyValidItemsAndDefaultsResetOnlyMarkedOnes)
{
    MsgBx style;
    style.modify("Arial", 12, 1.0f, 12635350, 11057350);
    style.modify("NoSuchFont", 0, 1.0f, 0, 0);  // reported, the previous face stays
    ASSERT_EQ(messages.shown().size(), 1u);  // and nothing for Arial
    const Recorded& r = messages.last();
    EXPECT_EQ(r.text + " | " + r.title, "Font, 'NoSuchFont', isn't installed. | Font ERROR");
    EXPECT_TRUE(r.own_box && r.icon == 16 && r.buttons == 0);
    for (float sc : {1.0f, 0.0f, -2.0f, NAN, INFINITY})
        style.modify("", 5, sc, 0, 0x1000000);  // each item here is ignored
    EXPECT_EQ(window().Command7->font().family() + window().Text1->font().family(), "ArialArial");
    EXPECT_TRUE(window().font().pointSizeF() == 12 && window().scle_factor() == 1.0f);
    EXPECT_EQ(window().Command3->palette().color(QPalette::Button), QColor(198, 184, 168));
    style.modify("", 20, 2.0f, 0, 0);  // the scale's size wins
    EXPECT_TRUE(window().Label1->font().pointSizeF() == 20 && twips(window().Command2).height == 840);

    style.defaults(2, 2, 1.5f, -1, 0);
    EXPECT_TRUE(window().font().family() == "Arial" && window().scle_factor() == 2.0f);
    EXPECT_EQ(window().Label1->palette().color(QPalette::Window), QColor(214, 204, 192));
    style.defaults(1, 1, 1.0f, 1, 1);
    EXPECT_EQ(window().Command1->font().family(), "Microsoft Sans Serif");
    EXPECT_EQ(window().Text1->font().pointSizeF(), 12);
    EXPECT_TRUE(window().scle_factor() == 1.0f && twips(window().Command4).height == 420);
    EXPECT_TRUE(window().palette().color(QPalette::Window) == QColor(224, 224, 224) &&
                window().Command3->palette().color(QPalette::Button) == QColor(192, 192, 192));
}

TEST_F(MsgBoxTest, PictureFailuresAreReportedAndTheBoxWorksWithout)
{
    const QString missing = folder.path() + "/graphics/ms_exclam.gif";
    ASSERT_TRUE(QFile::remove(missing));
    window().Image1.fill(QPixmap());
    MsgBx style;
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text + " | " + messages.last().title,
              "File '" + missing + "' doesn't exist. | 'set_up' ERROR");
    EXPECT_TRUE(page_err && !window().Image1[1].isNull() && window().Image1[2].isNull());
    EXPECT_EQ(mbx().message_bx("Careful", 0, 48, "T", 2000, 0).toInt(), 1);
    EXPECT_TRUE(window().mes_icon->pixmap().isNull());

    ASSERT_TRUE(QFile::copy(QID_SOURCE_DIR "/CMakeLists.txt", missing));  // not a picture
    MsgBx again;
    EXPECT_EQ(messages.last().text, "Error #  481 was generated by \r\nQuenla ID\r\nInvalid picture: " + missing);
}

struct ShowingSeam final : platform::MessageSeam {
    platform::MessageAnswer ask(const platform::MessageRequest& request) override { return request.show(); }
};

TEST_F(MsgBoxTest, RealModalWindowEndsOnItsButtonsAndKeys)
{
    ShowingSeam seam;
    platform::set_message_seam(&seam);
    bool busy = false;  // each timer acts once the modal window is up
    QTimer::singleShot(50, [&busy] {
        const QCursor* cursor = QApplication::overrideCursor();
        busy = QApplication::activeModalWidget() == &window() && cursor && cursor->shape() == Qt::BusyCursor;
        QTest::mouseClick(window().Command1, Qt::LeftButton);
    });
    mbx().message_box("There are no trees which match the entered FRUIT data!", 0, 64, "FRUIT DATA CHECK", 2000, 0);
    EXPECT_TRUE(busy && !window().isVisible() && QApplication::overrideCursor() == nullptr);

    // Escape answers CANCEL where the row has it, wherever it stands; else the row's last button.
    const std::pair<int, int> escape[] = {{0, 1}, {1, 2}, {2, 5}, {3, 2}, {4, 7}, {5, 2}};
    for (const auto& [buttons, answer] : escape) {
        QTimer::singleShot(50, [] { QTest::keyClick(&window(), Qt::Key_Escape); });
        EXPECT_EQ(mbx().message_bx("Extend every size range?", buttons, 32, "EXTEND", 2000, 0).toInt(), answer)
            << "buttons " << buttons;
    }
    QTimer::singleShot(50, [] {
        EXPECT_TRUE(window().focusWidget() == window().Text1 && window().Text1->selectedText() == "Quenla");
        QTest::keyClicks(window().Text1, "Quenla alba");  // replaces the selected default
        QTest::keyClick(window().Text1, Qt::Key_Return);  // Enter is OK
    });
    EXPECT_EQ(mbx().input_box("Species?", 32, "SEARCH", "Quenla", 2000, 0), "Quenla alba");
}

}  // namespace
}  // namespace qid::testing
