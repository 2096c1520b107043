// The main window from the keyboard alone: the tab order, the image buttons'
// keys, focus mark and names, the menu mnemonics, and a whole identification.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>

#include "shell/image_button.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using qid::ctl_tbl;

class KeyboardTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (HasFatalFailure())
            return;
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
    static std::string name_of(const QWidget* w)
    {
        return w ? (w->objectName() + "(" + w->property("index").toString() + ")").toStdString() : "none";
    }
    // Presses and releases a key on whatever has the focus.
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(focus(), k, modifiers); }
    static void tab() { key(Qt::Key_Tab); }
    static void type(const char* text) { QTest::keyClicks(focus(), QString::fromLatin1(text)); }
    // The focus chain from the tree box, as far as the first control met twice.
    static std::vector<std::string> chain()
    {
        widget(young)->setFocus(Qt::TabFocusReason);
        std::vector<std::string> seen;
        while (std::find(seen.begin(), seen.end(), name_of(focus())) == seen.end()) {
            seen.push_back(name_of(focus()));
            tab();
        }
        return seen;
    }
};

TEST_F(KeyboardTest, TabFollowsTheReadingOrder)
{
    // The two berry shapes are one stop, on the shape chosen; the arrows
    // move between them.
    const std::vector<std::string> data_entry = {
        "Check1(0)", "List2(0)", "List2(1)", "Option1(0)", "Text1(0)",
        "List3(0)",  "List3(1)", "Text2(1)", "Text2(3)",   "Text2(2)",   "Text2(0)",
        "List4(0)",  "List4(1)", "List4(2)", "Text3(0)"};
    auto expected = [&](std::vector<std::string> rest) {
        std::vector<std::string> all = data_entry;
        all.insert(all.end(), rest.begin(), rest.end());
        return all;
    };
    EXPECT_EQ(focus(), widget(young));  // the window opens on the tree box
    EXPECT_EQ(chain(), expected({"Image1(1)", "Image1(3)", "List1(0)"}));
    // Buttons on offer join the chain where they stand: BACK beside NEXT,
    // PRINT under the list, EXTEND before CLEAR.
    click(next);
    click(next);
    EXPECT_EQ(chain(), expected({"Image1(1)", "Image1(2)", "Image1(3)", "List1(0)", "Image1(0)"}));
    ctl_tbl[extend]->set_visible(true);
    EXPECT_EQ(chain(), expected({"Image1(1)", "Image1(2)", "Image1(4)", "Image1(3)", "List1(0)", "Image1(0)"}));
    click(ellipsoidal);
    EXPECT_EQ(chain()[3], "Option1(1)");
}

TEST_F(KeyboardTest, ExampleOneFromTheKeyboardAlone)
{
    // The tree box is left unticked; INITIAL COLOUR is chosen by typing.
    tab();
    type("RED");
    tab();  // FINAL COLOUR stays at UNCHANGED
    tab();  // Spherical stays chosen
    tab();
    type("9");
    tab();
    key(Qt::Key_Down);  // COLOUR ABOVE: arrows down to DARK GREEN
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    tab();  // COLOUR BELOW stays at AS ABOVE
    for (const char* size : {"180", "20", "50", "6"}) {
        tab();
        type(size);
    }
    tab();
    type("RED-");  // BUD COLOUR RED-BROWN
    tab();
    key(Qt::Key_Space);  // BUD HAIRS: the first entry, HAIRLESS
    tab();
    key(Qt::Key_End);  // STICKY?: the last entry, YES
    tab();
    type("8");
    tab();
    ASSERT_EQ(focus(), widget(next));

    const char* chosen[][2] = {{"5", "RED"},       {"6", "UNCHANGED"}, {"18", "DARK GREEN"}, {"19", "AS ABOVE"},
                               {"8", "RED-BROWN"}, {"9", "HAIRLESS"},  {"10", "YES"}};
    for (const auto& [s, entry] : chosen) {
        const qid::platform::Control* list = ctl_tbl[std::atoi(s)];
        EXPECT_EQ(list->item(list->list_index()), entry);
    }
    EXPECT_EQ(ctl_tbl[spherical]->value(), 1);
    EXPECT_EQ(ctl_tbl[young]->value(), 0);
    for (const auto& [s, text] : std::vector<std::pair<int, const char*>>{
             {berry_size, "9"}, {leaf_length, "180"}, {leaflet_width, "20"}, {leaflet_length, "50"},
             {pairs, "6"}, {bud_length, "8"}})
        EXPECT_EQ(ctl_tbl[s]->caption(), text);

    key(Qt::Key_Space);
    EXPECT_EQ(results().size(), 7);
    key(Qt::Key_Return);
    EXPECT_EQ(results(), QStringList({"Quenla frutescens", "Quenla rubella", "Quenla incerta"}));
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(results(), QStringList({"Quenla frutescens"}));
    EXPECT_EQ(ctl_tbl[heading]->caption(), "Trees selected on FRUIT, LEAF and BUD data.");
    EXPECT_EQ(shown(), "101100");
    // NEXT is gone; the focus moved on to a control still on offer.
    EXPECT_TRUE(focus() != nullptr && focus()->isVisible());
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(KeyboardTest, ImageButtonsCarryTheirWords)
{
    const char* words[] = {"PRINT", "NEXT", "BACK", "CLEAR", "EXTEND"};
    for (int i = 0; i < 5; ++i) {
        qid::ImageButton* b = window_->image_button(i);
        EXPECT_EQ(b->accessibleName(), words[i]);
        EXPECT_EQ(b->toolTip(), words[i]);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Button) << words[i];
        EXPECT_EQ(a->text(QAccessible::Name), words[i]);
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
    // A screen reader's press works the button, but not a hidden one.
    auto press = [this](int i) {
        QAccessible::queryAccessibleInterface(window_->image_button(i))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    };
    press(2);  // BACK is hidden
    EXPECT_EQ(qid::stage, -1);
    press(1);
    EXPECT_EQ(qid::stage, 0);
    EXPECT_EQ(shown(), "110100");
}

// A key on a focused button, with what should follow.
struct KeyCase {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers on_press;
    Qt::KeyboardModifiers on_release;
    bool looks_pressed;  // after the press
    int stage_after;     // after the release
};

TEST_F(KeyboardTest, SpaceAndEnterWorkAButtonAsAPlainLeftClickDoes)
{
    const KeyCase cases[] = {
        {"Space", Qt::Key_Space, {}, {}, true, 0},
        {"Return", Qt::Key_Return, {}, {}, true, 0},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, Qt::KeypadModifier, true, 0},
        {"Shift held throughout", Qt::Key_Space, Qt::ShiftModifier, Qt::ShiftModifier, false, -1},
        {"Ctrl on the press only", Qt::Key_Return, Qt::ControlModifier, {}, false, -1},
        {"Alt on the release only", Qt::Key_Space, {}, Qt::AltModifier, true, -1},
        {"another key", Qt::Key_A, {}, {}, false, -1},
    };
    qid::ImageButton* button = window_->image_button(1);
    for (const KeyCase& c : cases) {
        click(clear);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyPress(button, c.key, c.on_press);
        EXPECT_EQ(button->shows_pressed(), c.looks_pressed) << c.what;
        EXPECT_EQ(qid::stage, -1) << c.what;  // nothing acts on the press
        QTest::keyRelease(button, c.key, c.on_release);
        EXPECT_EQ(qid::stage, c.stage_after) << c.what;
        // As with the mouse, a release with a modifier leaves the pressed picture.
        EXPECT_EQ(button->shows_pressed(), c.looks_pressed && c.stage_after == -1) << c.what;
        QTest::keyRelease(button, c.key);  // let go of any key still down
    }
}

TEST_F(KeyboardTest, AReleaseActsOnlyAfterItsOwnPress)
{
    qid::ImageButton* next_button = window_->image_button(1);
    next_button->setFocus(Qt::TabFocusReason);
    // The Enter that closes a message box is pressed there and released here.
    QTest::keyRelease(next_button, Qt::Key_Return);
    EXPECT_EQ(qid::stage, -1);
    // Held down, the key repeats: one press, one step.
    QTest::keyPress(next_button, Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat_release(QEvent::KeyRelease, Qt::Key_Space, {}, " ", true);
        QKeyEvent repeat_press(QEvent::KeyPress, Qt::Key_Space, {}, " ", true);
        QApplication::sendEvent(next_button, &repeat_release);
        QApplication::sendEvent(next_button, &repeat_press);
    }
    EXPECT_EQ(qid::stage, -1);
    QTest::keyRelease(next_button, Qt::Key_Space);
    EXPECT_EQ(qid::stage, 0);
    // Pressed, then the focus goes elsewhere before the release: the button
    // shows its released picture and the stray release does nothing.
    QTest::keyPress(next_button, Qt::Key_Space);
    ASSERT_TRUE(next_button->shows_pressed());
    widget(bud_length)->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(next_button->shows_pressed());
    QTest::keyRelease(next_button, Qt::Key_Space);
    EXPECT_EQ(qid::stage, 0);
}

TEST_F(KeyboardTest, AFocusedButtonShowsAMark)
{
    qid::ImageButton* b = window_->image_button(3);
    widget(young)->setFocus(Qt::TabFocusReason);
    const QImage plain = b->grab().toImage();
    b->setFocus(Qt::TabFocusReason);
    const QImage marked = b->grab().toImage();
    ASSERT_EQ(plain.size(), marked.size());
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            changed += plain.pixel(x, y) != marked.pixel(x, y);
    // A frame round the face, not a speck: at least a quarter of its outline.
    EXPECT_GT(changed, (plain.width() + plain.height()) / 2);
}

TEST_F(KeyboardTest, MenusOpenFromTheKeyboardWithTheirCaptionsUnchanged)
{
    QStringList captions;
    QMenu* help = window_->findChild<QMenu*>("hlp_root");
    ASSERT_NE(help, nullptr);
    for (QAction* a : window_->menuBar()->actions())
        captions << QString(a->text()).remove('&');
    for (QAction* a : help->actions())
        captions << QString(a->text()).remove('&');
    EXPECT_EQ(captions, QStringList({"Help", "Exit", "Contents", "Index", "Find", "About Quenla ID"}));

    QTest::keyClick(window_.get(), Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());

    QSignalSpy exits(window_->exit_action(), &QAction::triggered);
    QTest::keyClick(window_.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(exits.count(), 1);
}

}  // namespace
