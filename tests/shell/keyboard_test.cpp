// The window from the keyboard: tab order, the first worked example, the image buttons' keys, clicks and names, menus.
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

    // INITIAL COLOUR chosen by typing; FINAL COLOUR and the spherical shape left as they are.
    for (const char* typed : {"RED", "", "", "9", ""})
        tab(typed);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Down);  // COLOUR ABOVE: DARK GREEN
    // COLOUR BELOW left AS ABOVE; leaf, leaflet width and length, pairs; BUD COLOUR RED-BROWN.
    for (const char* typed : {"", "180", "20", "50", "6", "RED-", ""})
        tab(typed);
    key(Qt::Key_Space);  // BUD HAIRS: HAIRLESS, the first
    tab();
    key(Qt::Key_End);  // STICKY?: YES, the last
    tab("8");
    tab();
    ASSERT_EQ(focus(), widget(next));
    // Each key runs one step of the README's first worked example.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Space, {}}, {Qt::Key_Return, {}}, {Qt::Key_Enter, Qt::KeypadModifier}};
    const char* headings[] = {"FRUIT", "FRUIT and LEAF", "FRUIT, LEAF and BUD"};
    const char* buttons[] = {"110100", "111100", "101100"};
    const QStringList after[] = {{"frutescens", "rubella", "coccinea", "kermesina", "pendula", "incerta", "fusca"},
                                 {"frutescens", "rubella", "incerta"},
                                 {"frutescens"}};
    for (int step = 0; step < 3; ++step) {
        key(keys[step].first, keys[step].second);
        EXPECT_EQ(std::tuple(results(), ctl_tbl[heading]->caption(), shown()),
                  std::tuple(QStringList(after[step]).replaceInStrings(QRegularExpression("^"), "Quenla "),
                             QString("Trees selected on %1 data.").arg(headings[step]), std::string(buttons[step])))
            << "step " << step;
    }
    EXPECT_TRUE(messages_.shown().empty());
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

// Only a plain left button, Space or Enter works a button: a modifier on the
// press shows no pressed picture, one on the release keeps it and does nothing.
TEST_F(KeyboardTest, ButtonsActOnlyOnAPlainLeftButtonSpaceOrEnter)
{
    struct {
        const char* what;
        Qt::MouseButton button;  // NoButton: the key
        Qt::Key key;
        Qt::KeyboardModifiers on_press, on_release;
        const char *after_press, *after_release;  // NEXT's picture, released (up) or pressed, and the step
    } const cases[] = {
        {"left button", Qt::LeftButton, {}, {}, {}, "down -1", "up 0"},
        {"right button", Qt::RightButton, {}, {}, {}, "up -1", "up -1"},
        {"Shift on the press", Qt::LeftButton, {}, Qt::ShiftModifier, Qt::ShiftModifier, "up -1", "up -1"},
        {"Ctrl on the release", Qt::LeftButton, {}, {}, Qt::ControlModifier, "down -1", "down -1"},
        {"Alt on the press", Qt::LeftButton, {}, Qt::AltModifier, Qt::AltModifier, "up -1", "up -1"},
        {"keypad Enter", {}, Qt::Key_Enter, Qt::KeypadModifier, Qt::KeypadModifier, "down -1", "up 0"},
        {"Space, Shift held", {}, Qt::Key_Space, Qt::ShiftModifier, Qt::ShiftModifier, "up -1", "up -1"},
        {"Return, Ctrl on the press", {}, Qt::Key_Return, Qt::ControlModifier, {}, "up -1", "up -1"},
        {"Space, Alt on the release", {}, Qt::Key_Space, {}, Qt::AltModifier, "down -1", "down -1"},
        {"another key", {}, Qt::Key_A, {}, {}, "up -1", "up -1"},
    };
    qid::platform::ImageButton* b = window_->image_button(1);
    const auto now = [&] {
        const qint64 key = b->pixmap().cacheKey();
        return std::string(key == window_->image_list(3).cacheKey()   ? "up "
                           : key == window_->image_list(4).cacheKey() ? "down "
                                                                       : "other ") +
               std::to_string(qid::stage);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        click(clear);
        b->setFocus();
        c.button ? QTest::mousePress(b, c.button, c.on_press) : QTest::keyPress(b, c.key, c.on_press);
        EXPECT_EQ(now(), c.after_press);
        c.button ? QTest::mouseRelease(b, c.button, c.on_release) : QTest::keyRelease(b, c.key, c.on_release);
        EXPECT_EQ(now(), c.after_release);
        c.button ? QTest::mouseRelease(b, Qt::LeftButton) : QTest::keyRelease(b, c.key);  // nothing left pressed
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
