// The real modal window, answered by pressing its buttons. With QID_SHOT_DIR
// set, each box is saved there as a picture before it is answered.
#include <functional>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "msgbox_fixture.h"

namespace qid::testing {
namespace {

class ModalTest : public MsgBoxTest, public platform::MessageSeam {
protected:
    void SetUp() override
    {
        MsgBoxTest::SetUp();
        if (QFile::exists(QID_PROGRAM_DIR "/graphics/ms_info.gif"))
            app_path = QID_PROGRAM_DIR "/";  // the program's own pictures
        MsgBx().modify("Arial", 12, 1.0f, 12635350, 11057350);
        platform::set_message_seam(this);
    }
    platform::MessageAnswer ask(const platform::MessageRequest& request) override { return request.show(); }

    // Acts on the modal window once it is up.
    void when_shown(const QString& shot, std::function<void(QWidget*)> act)
    {
        QTimer::singleShot(50, [this, shot, act] {
            QWidget* modal = QApplication::activeModalWidget();
            seen = modal == &window() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
            if (qEnvironmentVariableIsSet("QID_SHOT_DIR"))
                window().grab().save(qEnvironmentVariable("QID_SHOT_DIR") + "/" + shot + ".png");
            act(&window());
        });
    }
    static void click(QWidget* w, const char* caption)
    {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == caption && b->isVisible())
                QTest::mouseClick(b, Qt::LeftButton);
    }

    bool seen = false;
};

TEST_F(ModalTest, ButtonsAndEnterEndTheModalShow)
{
    when_shown("information", [](QWidget* w) { click(w, "OK"); });
    mbx().message_box("There are no trees which match the entered FRUIT data!", 0, 64, "FRUIT DATA CHECK", 2000, 0);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    when_shown("yes_no", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(mbx().message_bx("Extend every size range?", 4, 32, "EXTEND", 2000, 0).toInt(), 7);  // NO

    when_shown("input", [](QWidget* w) {
        auto* line = w->findChild<QLineEdit*>("Text1");
        EXPECT_TRUE(w->focusWidget() == line && line->selectedText() == "Quenla");
        QTest::keyClicks(line, "Quenla alba");  // replaces the selected default
        QTest::keyClick(line, Qt::Key_Return);  // Enter is OK
    });
    EXPECT_EQ(mbx().input_box("Species?", 32, "SEARCH", "Quenla", 2000, 0), "Quenla alba");
    EXPECT_FALSE(page_err);
}

}  // namespace
}  // namespace qid::testing
