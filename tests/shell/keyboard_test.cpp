// The main window from the keyboard alone: the tab order, a whole
// identification, the image buttons' keys, names and focus mark, the menus.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>

#include "platform/image_button.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using qid::ctl_tbl;

class KeyboardTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(focus(), k, m); }
    static void tab(const char* typed = "")
    {
        key(Qt::Key_Tab);
        QTest::keyClicks(focus(), QString::fromLatin1(typed));
    }
    // The controls in tab order from the tree box, named and indexed.
    static QString chain()
    {
        auto at = [] { return focus()->objectName() + focus()->property("index").toString(); };
        widget(young)->setFocus(Qt::TabFocusReason);
        QStringList seen;
        while (!seen.contains(at())) {
            seen << at();
            tab();
        }
        return seen.join(' ');
    }
};

TEST_F(KeyboardTest, ExampleOneInReadingOrderWithKeysAlone)
{
    // The berry shapes are one stop, on the chosen one; arrows move between them.
    const QString groups = "Check10 List20 List21 Option10 Text10 List30 List31 Text21 Text23 Text22 Text20 "
                           "List40 List41 List42 Text30 ";
    EXPECT_EQ(focus(), widget(young));
    EXPECT_EQ(chain(), groups + "Image11 Image13");  // the empty result list is no stop

    tab("RED");  // INITIAL COLOUR, chosen by typing
    tab();       // FINAL COLOUR stays UNCHANGED
    tab();       // Spherical stays chosen
    tab("9");
    tab();
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Down);  // COLOUR ABOVE: DARK GREEN
    tab();                  // COLOUR BELOW stays AS ABOVE
    for (const char* size : {"180", "20", "50", "6"})  // leaf, leaflet Width and Length, pairs
        tab(size);
    tab("RED-");  // BUD COLOUR: RED-BROWN
    tab();
    key(Qt::Key_Space);  // BUD HAIRS: HAIRLESS, the first
    tab();
    key(Qt::Key_End);  // STICKY?: YES, the last
    tab("8");
    tab();
    ASSERT_EQ(focus(), widget(next));
    key(Qt::Key_Space);
    EXPECT_EQ(results().size(), 7);
    key(Qt::Key_Return);
    EXPECT_EQ(results(), QStringList({"Quenla frutescens", "Quenla rubella", "Quenla incerta"}));
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(results(), QStringList({"Quenla frutescens"}));
    EXPECT_EQ(shown(), "101100");
    EXPECT_EQ(focus(), widget(result_list));  // from NEXT, hidden at the last step
    // Buttons on offer join the chain where they stand.
    EXPECT_EQ(chain(), groups + "Image12 Image13 List10 Image10");

    // A button that hides itself hands the focus to NEXT, never on to CLEAR,
    // so one more Space steps on and clears nothing: BACK at the first step,
    widget(back)->setFocus();
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Space);
    // and EXTEND once a step finds nothing (no bud for a berry of 98 mm).
    type(berry_size, "8");
    widget(next)->setFocus();
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Space);
    tab();
    ASSERT_EQ(focus(), widget(extend));
    key(Qt::Key_Space);
    key(Qt::Key_Space);
    EXPECT_EQ(shown(), "110101");  // the extended fruit step
    EXPECT_EQ(ctl_tbl[berry_size]->caption() + ctl_tbl[bud_length]->caption(), "988");
}

TEST_F(KeyboardTest, ImageButtonsAreNamedButtonsForScreenReaders)
{
    QStringList seen;  // tooltip, accessible name, whether a button
    for (int i = 0; i < 5; ++i) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(window_->image_button(i));
        seen << window_->image_button(i)->toolTip() + "/" + a->text(QAccessible::Name) +
                    (a->role() == QAccessible::Button ? "" : "?");
    }
    EXPECT_EQ(seen.join(' '), "PRINT/PRINT NEXT/NEXT BACK/BACK CLEAR/CLEAR EXTEND/EXTEND");
    // Pressed this way, a button acts as when clicked, and a hidden one not at all.
    for (int i : {2, 1})
        QAccessible::queryAccessibleInterface(window_->image_button(i))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(qid::stage, 0);
}

TEST_F(KeyboardTest, SpaceAndEnterWorkAButtonAsAPlainLeftClickDoes)
{
    struct {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers on_press, on_release;
        bool pressed_look;  // after the press
        int stage_after;    // after the release
    } const cases[] = {
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, Qt::KeypadModifier, true, 0},
        {"Shift held", Qt::Key_Space, Qt::ShiftModifier, Qt::ShiftModifier, false, -1},
        {"Ctrl on the press", Qt::Key_Return, Qt::ControlModifier, {}, false, -1},
        {"Alt on the release", Qt::Key_Space, {}, Qt::AltModifier, true, -1},
        {"another key", Qt::Key_A, {}, {}, false, -1},
    };
    qid::platform::ImageButton* b = window_->image_button(1);
    for (const auto& c : cases) {
        click(clear);
        b->setFocus();
        QTest::keyPress(b, c.key, c.on_press);
        EXPECT_EQ(b->shows_pressed(), c.pressed_look) << c.what;
        EXPECT_EQ(qid::stage, -1) << c.what;
        QTest::keyRelease(b, c.key, c.on_release);
        EXPECT_EQ(qid::stage, c.stage_after) << c.what;
        // As with the mouse, a release with a modifier keeps the pressed picture.
        EXPECT_EQ(b->shows_pressed(), c.pressed_look && c.stage_after == -1) << c.what;
        QTest::keyRelease(b, c.key);
    }
}

TEST_F(KeyboardTest, AReleaseActsOnlyAfterItsOwnPress)
{
    qid::platform::ImageButton* b = window_->image_button(1);
    b->setFocus();
    // The Enter that closes a message box is pressed there and released here.
    QTest::keyRelease(b, Qt::Key_Return);
    EXPECT_EQ(qid::stage, -1);
    // A key held down repeats: one press, one step.
    QTest::keyPress(b, Qt::Key_Space);
    for (QEvent::Type t : {QEvent::KeyRelease, QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress}) {
        QKeyEvent repeat(t, Qt::Key_Space, {}, " ", true);
        QApplication::sendEvent(b, &repeat);
    }
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(qid::stage, 0);
    // Pressed, then the focus leaves: the button looks released again.
    QTest::keyPress(b, Qt::Key_Space);
    widget(bud_length)->setFocus();
    EXPECT_FALSE(b->shows_pressed());
}

// The focus shows clearly on every kind of control, however it came: a list
// entry whether chosen or not, and the result list once it lists trees.
TEST_F(KeyboardTest, EveryKindOfControlShowsItsFocus)
{
    click(next);
    for (int s : {young, initial_colour, final_colour, spherical, berry_size, clear, result_list}) {
        QWidget* w = widget(s);
        widget(s == young ? bud_length : young)->setFocus();
        const QImage plain = w->grab().toImage();
        w->setFocus();
        const QImage marked = w->grab().toImage();
        int changed = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                changed += std::abs(qGray(plain.pixel(x, y)) - qGray(marked.pixel(x, y))) > 64;
        EXPECT_GT(changed, 50) << w->objectName().toStdString();  // a clear frame, not a tint or a speck
    }
}

TEST_F(KeyboardTest, MenusOpenWithAltAndKeepTheirCaptions)
{
    QMenu* help = window_->findChild<QMenu*>("hlp_root");
    QStringList captions;
    for (QAction* a : window_->menuBar()->actions() + help->actions())
        captions << QString(a->text()).remove('&');
    EXPECT_EQ(captions.join('|'), "Help|Exit|Contents|Index|Find|About Quenla ID");
    QTest::keyClick(window_.get(), Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(help, Qt::Key_Escape);
    QSignalSpy exits(window_->exit_action(), &QAction::triggered);
    QTest::keyClick(window_.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(exits.count(), 1);
}

}  // namespace
