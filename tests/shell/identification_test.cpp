// Identifying trees on the real main window with the shipped species file:
// the three worked examples of the README, the cascade's states, and the
// press and release rules of the image buttons.
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include "platform/image_button.h"
#include "datagen.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using qid::ctl_tbl;

using IdentificationTest = WindowTest;

QStringList quenla(QStringList epithets)
{
    return epithets.replaceInStrings(QRegularExpression("^"), "Quenla ");
}

// One worked example of the README: what is entered, and the species left
// after each of the three steps.
struct Example {
    const char* name;
    std::vector<std::pair<int, const char*>> chosen;  // list slot, entry
    std::vector<std::pair<int, const char*>> typed;   // box slot, text
    std::vector<int> clicked;                         // tick box or option
    QStringList after[3];
};

const Example examples[] = {
    {"red berries of a mature tree",
     {{initial_colour, "RED"}, {colour_above, "DARK GREEN"}, {bud_colour, "RED-BROWN"}, {bud_hairs, "HAIRLESS"},
      {sticky, "YES"}},
     {{berry_size, "9"}, {pairs, "6"}, {leaf_length, "180"}, {leaflet_length, "50"}, {leaflet_width, "20"},
      {bud_length, "8"}},
     {},
     {{"frutescens", "rubella", "coccinea", "kermesina", "pendula", "incerta", "fusca"},
      {"frutescens", "rubella", "incerta"},
      {"frutescens"}}},
    {"orange ellipsoidal berries of a young tree",
     {{initial_colour, "ORANGE"}, {final_colour, "RED"}, {colour_above, "MID GREEN"}, {colour_below, "GREY-GREEN"},
      {bud_colour, "GREEN"}},
     {{berry_size, "7"}, {pairs, "5"}, {leaf_length, "130"}, {bud_length, "9"}},
     {young, ellipsoidal},
     {{"aurantiaca", "crocea", "obscura", "ambigua", "tardiflora", "velutina", "glutinosa"},
      {"aurantiaca", "crocea", "ambigua", "glutinosa"},
      {"aurantiaca", "crocea"}}},
    {"black berries with counted leaflets",
     {{initial_colour, "BLACK"}, {bud_hairs, "WOOLLY"}, {sticky, "NO"}},
     {{pairs, "8"}, {leaf_length, "260"}, {leaflet_length, "70"}, {leaflet_width, "20"}},
     {},
     {{"kermesina", "incerta", "nigra", "atrata", "carbonaria", "fusca", "nana"},
      {"incerta", "nigra", "carbonaria"},
      {"nigra", "carbonaria"}}},
};

TEST_F(IdentificationTest, TheWorkedExamplesNarrowStepByStep)
{
    const char* headings[] = {"Trees selected on FRUIT data.", "Trees selected on FRUIT and LEAF data.",
                              "Trees selected on FRUIT, LEAF and BUD data."};
    const char* buttons[] = {"110100", "111100", "101100"};
    for (const Example& e : examples) {
        click(clear);
        for (const auto& [s, text] : e.chosen)
            choose(s, text);
        for (const auto& [s, text] : e.typed)
            type(s, text);
        for (int s : e.clicked)
            click(s);
        for (int step = 0; step < 3; ++step) {
            click(next);
            EXPECT_EQ(results(), quenla(e.after[step])) << e.name << ", step " << step;
            EXPECT_EQ(ctl_tbl[heading]->caption(), headings[step]) << e.name;
            EXPECT_EQ(shown(), buttons[step]) << e.name << ", step " << step;
        }
    }
    EXPECT_TRUE(messages_.shown().empty());

    // Without the young-tree tick, the second example's 7 mm berry is too
    // small for aurantiaca.
    click(clear);
    for (const auto& [s, text] : examples[1].chosen)
        choose(s, text);
    type(berry_size, "7");
    click(ellipsoidal);
    click(next);
    EXPECT_TRUE(!results().contains("Quenla aurantiaca") && results().contains("Quenla crocea"));
}

TEST_F(IdentificationTest, BackShowsStoredStepsAndNextOnlyRedisplaysAfterTheLastStep)
{
    choose(initial_colour, "BLACK");
    type(pairs, "8");
    choose(bud_hairs, "WOOLLY");
    for (int step = 0; step < 3; ++step)
        click(next);
    const QStringList last = results();

    click(back);
    EXPECT_EQ(std::pair(ctl_tbl[heading]->caption(), shown()),
              std::pair(QString("Trees selected on FRUIT and LEAF data."), std::string("111100")));
    click(back);
    EXPECT_EQ(std::pair(shown(), int(qid::stage)), std::pair(std::string("110100"), 0));
    // The observations read are changed behind the window's back: a new
    // search would find other trees, a re-display the same ones.
    qid::bud_prop = {"", "HAIRLESS", ""};
    click(next);
    click(next);
    EXPECT_EQ(std::pair(results(), int(qid::stage)), std::pair(last, 2));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(IdentificationTest, AStepWithoutSurvivorsSaysWhichAndOffersExtend)
{
    // The one message, with the steps run so far; the window is back at its start, EXTEND offered.
    const auto expect_no_trees = [&](const char* data) {
        ASSERT_EQ(messages_.shown().size(), 1u);
        const Recorded& m = messages_.last();
        EXPECT_EQ(std::tuple(m.text, m.title, m.icon, m.buttons, m.own_box),
                  std::tuple("There are no trees which match the entered " + QString(data) + " data!",
                             QString("FRUIT DATA CHECK"), 64, 0, true));
        EXPECT_EQ(std::tuple(int(qid::stage), results().size(), ctl_tbl[heading]->caption(), shown()),
                  std::tuple(-1, 0, QString("SELECTION"), std::string("010110")));
    };
    // No black-berried tree has a bud of 100 mm.
    choose(initial_colour, "BLACK");
    type(bud_length, "100");
    for (int step = 0; step < 3; ++step)
        click(next);
    expect_no_trees("FRUIT, LEAF and BUD");
    EXPECT_FALSE(qid::last_stage_done);

    // None has ten leaflet pairs; with the ranges widened by a fifth, four have.
    click(clear);
    messages_.clear();
    choose(initial_colour, "BLACK");
    type(pairs, "10");
    click(next);
    ASSERT_TRUE(messages_.shown().empty());
    click(next);
    expect_no_trees("FRUIT and LEAF");
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
    QStringList left;  // what each control holds, in the order entered above
    for (int s : {initial_colour, final_colour, colour_above, colour_below, bud_colour})
        left << QString::number(ctl_tbl[s]->list_index());
    for (int s : {berry_size, pairs, leaf_length, leaflet_length, leaflet_width, bud_length})
        left << ctl_tbl[s]->caption();
    EXPECT_EQ(left.join(','), "-1,0,-1,0,-1,,,,,,");
    EXPECT_EQ(std::tuple(ctl_tbl[young]->value(), qid::size_factor, ctl_tbl[spherical]->value(), shown(), int(qid::stage)),
              std::tuple(0, 1.0f, 1, std::string("010100"), -1));
}

TEST_F(IdentificationTest, ButtonsActOnlyOnAPlainLeftRelease)
{
    auto* next_button = window_->image_button(1);
    // NEXT's picture, released or pressed, and the step reached.
    const auto now = [&] {
        const qint64 key = next_button->pixmap().cacheKey();
        return std::string(key == window_->image_list(3).cacheKey()   ? "released"
                           : key == window_->image_list(4).cacheKey() ? "pressed"
                                                                       : "other") +
               " at " + std::to_string(qid::stage);
    };
    // The right button changes nothing, not even the picture.
    QTest::mousePress(next_button, Qt::RightButton);
    EXPECT_EQ(now(), "released at -1");
    QTest::mouseRelease(next_button, Qt::RightButton);
    EXPECT_EQ(now(), "released at -1");

    for (const Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        // A press with the key held does not show the pressed look.
        QTest::mousePress(window_->image_button(3), Qt::LeftButton, held);
        EXPECT_FALSE(window_->image_button(3)->shows_pressed()) << held;
        // Pressed plainly, released with the key held: the pressed picture
        // stays and nothing happens.
        QTest::mousePress(next_button, Qt::LeftButton);
        EXPECT_EQ(now(), "pressed at -1") << held;
        QTest::mouseRelease(next_button, Qt::LeftButton, held);
        EXPECT_EQ(now(), "pressed at -1") << held;
    }
    // A plain release acts and shows the released picture again.
    QTest::mouseRelease(next_button, Qt::LeftButton);
    EXPECT_EQ(now(), "released at 0");
}

// The program folder with a generated file of the largest number of species.
class LargeIdentificationTest : public WindowTest {
protected:
    void SetUp() override
    {
        copy_files(QID_PROGRAM_DIR "/graphics", dir.filePath("graphics"));
        QFile data(dir.filePath("qid.dta"));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        data.write(qid::tools::make_species_file(qid::tools::lists_of(QID_SOURCE_DIR "/data/qid.dta"), 32767, 3));
        data.close();
        screen_.folder = dir.path();
        WindowTest::SetUp();
    }
    QTemporaryDir dir;
};

// Nothing is entered, so every step keeps every species.
TEST_F(LargeIdentificationTest, TheResultListOfEverySpeciesStaysAListBox)
{
    click(next);
    ASSERT_EQ(ctl_tbl[result_list]->item_count(), 32767);
    EXPECT_EQ(ctl_tbl[result_list]->item(32766), "Quenla " + qid::species_name[32767]);
    auto* list = static_cast<QAbstractItemView*>(widget(result_list));
    QCoreApplication::processEvents();
    // The keyboard moves through it, and the view scrolls along.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->currentIndex().row(), 32766);
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    EXPECT_GT(list->verticalScrollBar()->maximum(), 30000);  // about a step per entry
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->currentIndex().row(), 32765);
    // A click selects the entry under the mouse, which cannot be edited.
    QTest::keyClick(list, Qt::Key_Home);
    const QModelIndex third = list->model()->index(2, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(third).center());
    EXPECT_EQ(list->selectionModel()->selectedIndexes(), QModelIndexList{third});
    QTest::keyClick(list, Qt::Key_F2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(third).center());
    EXPECT_EQ(list->findChild<QLineEdit*>(), nullptr);
    // The next steps refill it with every species again.
    click(next);
    click(next);
    EXPECT_EQ(std::pair(ctl_tbl[result_list]->item_count(), int(qid::stage)), std::pair(32767, 2));
}

}  // namespace
