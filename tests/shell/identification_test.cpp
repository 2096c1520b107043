// Identifying trees on the real window: BACK and NEXT, steps without survivors, CLEAR, 32,767 species.
#include <QLineEdit>
#include <QScrollBar>

#include "datagen.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using qid::ctl_tbl;

QStringList quenla(QStringList epithets)
{
    return epithets.replaceInStrings(QRegularExpression("^"), "Quenla ");
}

using IdentificationTest = WindowTest;

TEST_F(IdentificationTest, BackShowsStoredStepsAndNextOnlyRedisplaysAfterTheLastStep)
{
    choose(initial_colour, "BLACK");
    type(pairs, "8");
    choose(bud_hairs, "WOOLLY");
    steps(3);
    const QStringList last = results();

    click(back);
    EXPECT_EQ(std::pair(ctl_tbl[heading]->caption(), shown()),
              std::pair(QString("Trees selected on FRUIT and LEAF data."), std::string("111100")));
    click(back);
    EXPECT_EQ(std::pair(shown(), int(qid::stage)), std::pair(std::string("110100"), 0));
    // The observations read are changed behind the window's back: a new
    // search would find other trees, a re-display the same ones.
    qid::bud_prop = {"", "HAIRLESS", ""};
    steps(2);
    EXPECT_EQ(std::pair(results(), int(qid::stage)), std::pair(last, 2));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(IdentificationTest, AStepWithoutSurvivorsSaysWhichAndOffersExtend)
{
    // The one message, with the steps run so far; the window is back at its start, EXTEND offered.
    const auto expect_no_trees = [&](const char* data) {
        ASSERT_EQ(messages_.shown().size(), 1u);
        EXPECT_EQ(message(), std::tuple("FRUIT DATA CHECK", "There are no trees which match the entered " +
                                                                QString(data) + " data!", 64, 0, true));
        EXPECT_EQ(std::tuple(int(qid::stage), results().size(), ctl_tbl[heading]->caption(), shown()),
                  std::tuple(-1, 0, QString("SELECTION"), std::string("010110")));
    };
    // No black-berried tree has a bud of 100 mm.
    choose(initial_colour, "BLACK");
    type(bud_length, "100");
    steps(3);
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
    click(ellipsoidal);
    for (const auto& [s, entry] : {std::pair{initial_colour, "RED"}, {final_colour, "BLACK"},
                                   {colour_above, "DARK GREEN"}, {colour_below, "SILVERY"}, {bud_colour, "GREEN"}})
        choose(s, entry);
    for (int s : {berry_size, pairs, leaf_length, leaflet_length, leaflet_width, bud_length})
        type(s, "4");
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

// The program folder with a generated file of the largest number of species.
class LargeIdentificationTest : public FolderTest {
protected:
    void SetUp() override
    {
        fill(qid::tools::make_species_file(qid::tools::lists_of(QID_SOURCE_DIR "/data/qid.dta"), 32767, 3));
        screen_.folder = dir_.path();
        WindowTest::SetUp();
    }
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
    // A click selects the entry under the mouse, which cannot be edited.
    QTest::keyClick(list, Qt::Key_Home);
    const QModelIndex third = list->model()->index(2, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(third).center());
    EXPECT_EQ(list->selectionModel()->selectedIndexes(), QModelIndexList{third});
    QTest::keyClick(list, Qt::Key_F2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(third).center());
    EXPECT_EQ(list->findChild<QLineEdit*>(), nullptr);
    // The next steps refill it with every species again.
    steps(2);
    EXPECT_EQ(std::pair(ctl_tbl[result_list]->item_count(), int(qid::stage)), std::pair(32767, 2));
}

}  // namespace
