// Identifying trees on the real main window with the shipped species file:
// the three worked examples of the README, the cascade's states, and the
// press and release rules of the image buttons.
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "msgbox/mbx.h"
#include "msgbox/msg_style.h"
#include "shell/image_button.h"
#include "shell/main_window.h"
#include "shell/state.h"

namespace {

using qid::ctl_tbl;

enum Slot {
    result_list = 4, initial_colour = 5, final_colour = 6, young = 7, bud_colour = 8, bud_hairs = 9, sticky = 10,
    berry_size = 11, heading = 12, print = 15, next = 16, back = 17, colour_above = 18, colour_below = 19,
    pairs = 20, leaf_length = 21, leaflet_length = 22, leaflet_width = 23, ellipsoidal = 25, bud_length = 26,
    clear = 27, extend = 28, notice = 29
};

class IdentificationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<qid::QID_main>();
        ASSERT_TRUE(window_->load());
        window_->show();
    }
    void TearDown() override
    {
        qid::form_ready = false;
        window_.reset();
        qid::form_tbl.clear();
        qid::msg_style.reset();
        qid::msg.reset();
    }

    QWidget* widget(int s) { return static_cast<qid::platform::QtControl*>(ctl_tbl[s])->widget(); }

    // Clicks the entry with this text in a list box, as a user would.
    void choose(int s, const char* text)
    {
        auto* list = static_cast<QListWidget*>(widget(s));
        const QList<QListWidgetItem*> found = list->findItems(QString::fromLatin1(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        list->scrollToItem(found[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
        ASSERT_EQ(list->currentItem(), found[0]);
    }
    void type(int s, const char* text) { QTest::keyClicks(widget(s), QString::fromLatin1(text)); }
    void click(int s, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(widget(s), button, keys);
    }

    QStringList results()
    {
        QStringList names;
        for (int i = 0; i < ctl_tbl[result_list]->item_count(); ++i)
            names << ctl_tbl[result_list]->item(i);
        return names;
    }
    static QStringList quenla(const QStringList& epithets)
    {
        QStringList out;
        for (const QString& e : epithets)
            out << "Quenla " + e;
        return out;
    }
    // The image buttons shown, in the order PRINT, NEXT, BACK, CLEAR, EXTEND, then the notice.
    std::string shown()
    {
        std::string s;
        for (int b : {print, next, back, clear, extend, notice})
            s += ctl_tbl[b]->visible() ? '1' : '0';
        return s;
    }

    qid::testing::RecordingMessages messages_;
    std::unique_ptr<qid::QID_main> window_;
};

TEST_F(IdentificationTest, RedBerriesOfAMatureTree)
{
    choose(initial_colour, "RED");
    type(berry_size, "9");
    choose(colour_above, "DARK GREEN");
    type(pairs, "6");
    type(leaf_length, "180");
    type(leaflet_length, "50");
    type(leaflet_width, "20");
    choose(bud_colour, "RED-BROWN");
    choose(bud_hairs, "HAIRLESS");
    choose(sticky, "YES");
    type(bud_length, "8");

    click(next);
    EXPECT_EQ(results(), quenla({"frutescens", "rubella", "coccinea", "kermesina", "pendula", "incerta", "fusca"}));
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT data.");
    EXPECT_EQ(shown(), "110100");
    click(next);
    EXPECT_EQ(results(), quenla({"frutescens", "rubella", "incerta"}));
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT and LEAF data.");
    EXPECT_EQ(shown(), "111100");
    click(next);
    EXPECT_EQ(results(), quenla({"frutescens"}));
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT, LEAF and BUD data.");
    EXPECT_EQ(shown(), "101100");
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(IdentificationTest, OrangeEllipsoidalBerriesOfAYoungTree)
{
    click(young);
    choose(initial_colour, "ORANGE");
    choose(final_colour, "RED");
    click(ellipsoidal);
    type(berry_size, "7");
    choose(colour_above, "MID GREEN");
    choose(colour_below, "GREY-GREEN");
    type(pairs, "5");
    type(leaf_length, "130");
    choose(bud_colour, "GREEN");
    type(bud_length, "9");

    click(next);
    EXPECT_EQ(results(),
              quenla({"aurantiaca", "crocea", "obscura", "ambigua", "tardiflora", "velutina", "glutinosa"}));
    click(next);
    EXPECT_EQ(results(), quenla({"aurantiaca", "crocea", "ambigua", "glutinosa"}));
    click(next);
    EXPECT_EQ(results(), quenla({"aurantiaca", "crocea"}));
    EXPECT_EQ(shown(), "101100");

    // Without the tick the young tree's smaller berry rules out aurantiaca at once.
    click(young);
    EXPECT_EQ(shown(), "010100");
    click(next);
    EXPECT_FALSE(results().contains("Quenla aurantiaca"));
}

TEST_F(IdentificationTest, BlackBerriesWithCountedLeaflets)
{
    choose(initial_colour, "BLACK");
    type(pairs, "8");
    type(leaf_length, "260");
    type(leaflet_length, "70");
    type(leaflet_width, "20");
    choose(bud_hairs, "WOOLLY");
    choose(sticky, "NO");

    click(next);
    EXPECT_EQ(results(), quenla({"kermesina", "incerta", "nigra", "atrata", "carbonaria", "fusca", "nana"}));
    click(next);
    EXPECT_EQ(results(), quenla({"incerta", "nigra", "carbonaria"}));
    click(next);
    EXPECT_EQ(results(), quenla({"nigra", "carbonaria"}));

    // BACK shows the stored earlier steps; NEXT then re-displays the stored
    // results without searching again, even if the observations it read were
    // since changed behind the window's back.
    click(back);
    EXPECT_EQ(results(), quenla({"incerta", "nigra", "carbonaria"}));
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT and LEAF data.");
    EXPECT_EQ(shown(), "111100");
    click(back);
    EXPECT_EQ(shown(), "110100");
    EXPECT_EQ(qid::stage, 0);
    qid::bud_prop = {"", "HAIRLESS", ""};
    click(next);
    click(next);
    EXPECT_EQ(results(), quenla({"nigra", "carbonaria"}));
    EXPECT_EQ(qid::stage, 2);
    EXPECT_TRUE(messages_.shown().empty());

    // Any edit starts again from the beginning.
    type(bud_length, "1");
    EXPECT_EQ(qid::stage, -1);
    EXPECT_TRUE(results().isEmpty());
    EXPECT_EQ(shown(), "010100");
}

TEST_F(IdentificationTest, NextWithNothingEnteredKeepsEverySpecies)
{
    click(next);
    EXPECT_EQ(results().size(), qid::species_count);
    EXPECT_EQ(results().first(), "Quenla " + qid::species_name[1]);
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT data.");
    // A step with nothing of its own entered keeps the list and changes the heading.
    click(next);
    EXPECT_EQ(results().size(), qid::species_count);
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT and LEAF data.");
}

TEST_F(IdentificationTest, AStepWithoutSurvivorsOffersExtend)
{
    // No black-berried tree has ten leaflet pairs; with the ranges widened by
    // a fifth, four have.
    choose(initial_colour, "BLACK");
    type(pairs, "10");
    click(next);
    ASSERT_TRUE(messages_.shown().empty());
    click(next);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.last().text, "There are no trees which match the entered FRUIT and LEAF data!");
    EXPECT_EQ(messages_.last().title, "FRUIT DATA CHECK");
    EXPECT_EQ(messages_.last().icon, 64);
    EXPECT_EQ(messages_.last().buttons, 0);
    EXPECT_TRUE(messages_.last().own_box);
    EXPECT_EQ(qid::stage, -1);
    EXPECT_TRUE(results().isEmpty());
    EXPECT_EQ(ctl_tbl[heading]->caption(), "SELECTION");
    EXPECT_EQ(shown(), "010110");

    click(extend);
    EXPECT_EQ(shown(), "010101");
    EXPECT_FLOAT_EQ(qid::range_ext, 0.2f);
    click(next);
    EXPECT_EQ(shown(), "110101");  // the notice stays through the steps
    click(next);
    EXPECT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(results(), quenla({"incerta", "nigra", "atrata", "carbonaria"}));
    EXPECT_EQ(shown(), "111101");
    EXPECT_FLOAT_EQ(qid::range_ext, 0.2f);

    // Typing in any box ends the extension.
    type(leaf_length, "5");
    EXPECT_EQ(qid::range_ext, 0.0f);
    EXPECT_EQ(shown(), "010100");
}

TEST_F(IdentificationTest, TheBudStepWithoutSurvivorsNamesAllThreeSteps)
{
    choose(initial_colour, "BLACK");
    type(bud_length, "100");
    click(next);
    click(next);
    click(next);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.last().text, "There are no trees which match the entered FRUIT, LEAF and BUD data!");
    EXPECT_EQ(messages_.last().title, "FRUIT DATA CHECK");
    EXPECT_EQ(shown(), "010110");
    EXPECT_FALSE(qid::last_stage_done);
}

TEST_F(IdentificationTest, ClearRestoresTheDefaults)
{
    click(young);
    choose(initial_colour, "RED");
    choose(final_colour, "BLACK");
    click(ellipsoidal);
    type(berry_size, "9");
    choose(colour_above, "DARK GREEN");
    choose(colour_below, "SILVERY");
    for (int s : {pairs, leaf_length, leaflet_length, leaflet_width, bud_length})
        type(s, "4");
    choose(bud_colour, "GREEN");
    click(next);
    click(clear);
    EXPECT_EQ(ctl_tbl[young]->value(), 0);
    EXPECT_EQ(qid::size_factor, 1.0f);
    EXPECT_EQ(ctl_tbl[initial_colour]->list_index(), -1);
    EXPECT_EQ(ctl_tbl[final_colour]->list_index(), 0);
    EXPECT_EQ(ctl_tbl[colour_above]->list_index(), -1);
    EXPECT_EQ(ctl_tbl[colour_below]->list_index(), 0);
    EXPECT_EQ(ctl_tbl[24]->value(), 1);
    EXPECT_EQ(ctl_tbl[bud_colour]->list_index(), -1);
    for (int s : {berry_size, pairs, leaf_length, leaflet_length, leaflet_width, bud_length})
        EXPECT_EQ(ctl_tbl[s]->caption(), "") << s;
    EXPECT_EQ(shown(), "010100");
    EXPECT_EQ(qid::stage, -1);
}

TEST_F(IdentificationTest, ButtonsActOnlyOnAPlainLeftRelease)
{
    auto* next_button = window_->image_button(1);
    const qint64 released = window_->image_list(3).cacheKey();
    const qint64 pressed = window_->image_list(4).cacheKey();
    EXPECT_EQ(next_button->pixmap().cacheKey(), released);

    // The right button changes nothing, not even the picture.
    QTest::mousePress(next_button, Qt::RightButton);
    EXPECT_EQ(next_button->pixmap().cacheKey(), released);
    QTest::mouseRelease(next_button, Qt::RightButton);
    EXPECT_EQ(qid::stage, -1);

    // Pressed with the left button, released with Shift held: the pressed
    // picture stays and nothing happens.
    QTest::mousePress(next_button, Qt::LeftButton);
    EXPECT_EQ(next_button->pixmap().cacheKey(), pressed);
    QTest::mouseRelease(next_button, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(next_button->pixmap().cacheKey(), pressed);
    EXPECT_EQ(qid::stage, -1);

    // A press with Ctrl held does not show the pressed look either.
    QTest::mousePress(window_->image_button(3), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(window_->image_button(3)->shows_pressed());

    // A plain release acts and shows the released picture again.
    QTest::mouseRelease(next_button, Qt::LeftButton);
    EXPECT_EQ(next_button->pixmap().cacheKey(), released);
    EXPECT_EQ(qid::stage, 0);
}

}  // namespace
