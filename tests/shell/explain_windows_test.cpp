// The result list's menu and the two windows that explain the identification, worked by the keyboard.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableView>

#include "explain/explain_windows.h"
#include "explain/next_look_window.h"
#include "explain/why_not_window.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using ExplainWindowsTest = WindowTest;

// Chooses entry `pick` of the result list's menu, which `open` opened, with the arrow keys and Enter.
void menu_choose(int pick, const std::function<void()>& open)
{
    open();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[pick]->text().remove('&'), pick == 0 ? "Why not…" : "What to look at next…");
    for (int k = 0; k < pick; ++k)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
}

// The first rows of a table, each as its cells joined by " | ", one to a line.
std::string rows(QTableView* view, int count)
{
    QStringList out;
    for (int r = 0; r < std::min(count, view->model()->rowCount()); ++r) {
        QStringList cells;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            cells << view->model()->index(r, c).data().toString();
        out << cells.join(" | ");
    }
    return out.join('\n').toStdString();
}

TEST_F(ExplainWindowsTest, TheMenuOpensBothWindowsWhichFollowTheCascade)
{
    QWidget* list = widget(result_list);
    qid::ExplainWindows& windows = *window_->explain_windows();
    int helped = 0;
    windows.set_help([&] { ++helped; });
    choose(initial_colour, "RED");
    type(berry_size, "9");
    choose(colour_above, "DARK GREEN");
    steps(2);
    menu_choose(0, [&] {
        QContextMenuEvent right(QContextMenuEvent::Mouse, {5, 5}, list->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(static_cast<QAbstractScrollArea*>(list)->viewport(), &right);
    });
    qid::WhyNotWindow* why = windows.why_not();
    ASSERT_TRUE(why && why->isVisible());
    EXPECT_EQ(why->summary()->text(), "Trees selected on FRUIT and LEAF data: 4 of 49 species kept.");
    EXPECT_EQ(why->species()->model()->rowCount(), 49);  // every species, the last too
    QTest::keyClicks(why->search(), "alb");  // typed into the search box, which has the focus
    EXPECT_EQ(rows(why->species(), 3), "Quenla alba | rejected at FRUIT | initial colour RED, recorded WHITE");
    EXPECT_EQ(rows(why->details(), 3), "FRUIT | initial colour | RED | WHITE | ");
    QTest::keyClick(why, Qt::Key_F1);
    QTest::keyClick(why, Qt::Key_Escape);
    EXPECT_EQ(std::pair(helped, why->isVisible()), std::pair(1, false));

    menu_choose(1, [&] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); });
    qid::NextLookWindow* next_look = windows.next_look();
    ASSERT_TRUE(next_look->isVisible());
    EXPECT_EQ(rows(next_look->ranking(), 2),
              "Bud hairs | FRUIT, LEAF and BUD | 1.5 of 4\nBud length | FRUIT, LEAF and BUD | 2.1 of 4");
    EXPECT_EQ(rows(next_look->groups(), 3), "FEW HAIRS | 1\nHAIRY | 1\nHAIRLESS | 2");
    QTest::keyClick(next_look->groups(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(next_look->kept()->count(), 2);
    click(back);  // the open window follows
    EXPECT_TRUE(next_look->summary()->text().startsWith("Trees selected on FRUIT data: 7 species listed."));

    // Ten leaflet pairs: the leaf step keeps none; the empty list stays a Tab
    // stop for its menu, and the nearest lead "Why not".
    type(pairs, "10");
    steps(2);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_TRUE(next_look->summary()->text().startsWith("No species is listed"));
    EXPECT_TRUE(list->focusPolicy() & Qt::TabFocus);
    list->setFocus();
    menu_choose(0, [&] { QTest::keyClick(list, Qt::Key_Menu); });
    EXPECT_EQ(rows(why->species(), 5),  // the search typed before is cleared; four are nearest
              "Quenla incerta | rejected at FRUIT and LEAF, nearest, EXTEND keeps it | "
              "leaflet pairs 10, accepted 6 to 9\n"
              "Quenla rubella | rejected at FRUIT and LEAF, nearest | leaflet pairs 10, accepted 6 to 8\n"
              "Quenla frutescens | rejected at FRUIT and LEAF, nearest | leaflet pairs 10, accepted 5 to 7\n"
              "Quenla pendula | rejected at FRUIT and LEAF, nearest | leaflet pairs 10, accepted 5 to 7\n"
              "Quenla coccinea | rejected at FRUIT and LEAF | colour below AS ABOVE, recorded GREY-GREEN; "
              "leaflet pairs 10, accepted 5 to 7");
}

}  // namespace
