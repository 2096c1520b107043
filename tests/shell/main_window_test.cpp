// The main window after start-up: the shared state, the control table, the
// layout, the change notifications, the failures that stop start-up, and Exit.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "identify/data_file.h"
#include "msgbox/mbx.h"
#include "msgbox/msg_style.h"
#include "platform/host.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/state.h"

namespace {

using qid::ctl_tbl;
using qid::platform::Twips;

// A host whose program folder (and program file) the test chooses.
class FolderHost final : public qid::platform::Host {
public:
    QString folder;
    QString file;
    QString program_folder() const override { return folder; }
    QString program_file() const override { return file.isEmpty() ? Host::program_file() : file; }
};

void expect_geometry(int slot, Twips expected)
{
    const Twips g = ctl_tbl[static_cast<std::size_t>(slot)]->geometry();
    EXPECT_EQ(g.left, expected.left) << "slot " << slot;
    EXPECT_EQ(g.top, expected.top) << "slot " << slot;
    if (expected.width) {
        EXPECT_EQ(g.width, expected.width) << "slot " << slot;
    }
    if (expected.height) {
        EXPECT_EQ(g.height, expected.height) << "slot " << slot;
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<qid::QID_main>();
        ASSERT_TRUE(window_->load()) << (messages_.shown().empty() ? "" : messages_.last().text.toStdString());
    }
    void TearDown() override
    {
        qid::form_ready = false;
        window_.reset();
        qid::form_tbl.clear();
        qid::msg_style.reset();
        qid::msg.reset();
    }

    QWidget* widget(int slot) { return static_cast<qid::platform::QtControl*>(ctl_tbl[slot])->widget(); }

    qid::testing::RecordingMessages messages_;
    std::unique_ptr<qid::QID_main> window_;
};

TEST_F(MainWindowTest, StartUpLeavesTheSharedStateReady)
{
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(window_->windowTitle(), "KELBINE IDENTIFICATION");
    EXPECT_EQ(qid::app_path, QString(QID_PROGRAM_DIR) + "/");
    EXPECT_EQ(qid::data_file, qid::app_path + "qid.dta");
    EXPECT_TRUE(QRegularExpression("^, \\d\\d/\\d\\d/\\d{4}$").match(qid::build_date).hasMatch())
        << qid::build_date.toStdString();
    EXPECT_EQ(qid::stage, -1);
    EXPECT_TRUE(qid::needs_read);
    EXPECT_FALSE(qid::last_stage_done);
    EXPECT_TRUE(qid::form_ready);
    EXPECT_EQ(qid::range_ext, 0.0f);
    EXPECT_EQ(qid::bud_len_fac[0], 0.8f);
    EXPECT_EQ(qid::bud_len_fac[1], 1.1f);
    EXPECT_EQ(qid::rep_bottom_margin, 0.6f);
    EXPECT_EQ(qid::rep_indent, 1.0f);
    EXPECT_GT(qid::screen_ratio, 0.0f);
    ASSERT_EQ(qid::form_tbl.size(), 1u);
    EXPECT_EQ(qid::form_tbl[0], window_.get());
    EXPECT_NE(qid::msg_style, nullptr);
    EXPECT_GE(qid::species_count, 45);

    // Only NEXT and CLEAR are offered; the result list is empty under "SELECTION".
    EXPECT_FALSE(ctl_tbl[15]->visible());
    EXPECT_TRUE(ctl_tbl[16]->visible());
    EXPECT_FALSE(ctl_tbl[17]->visible());
    EXPECT_TRUE(ctl_tbl[27]->visible());
    EXPECT_FALSE(ctl_tbl[28]->visible());
    EXPECT_FALSE(ctl_tbl[29]->visible());
    EXPECT_EQ(ctl_tbl[4]->item_count(), 0);
    EXPECT_EQ(ctl_tbl[12]->caption(), "SELECTION");
}

TEST_F(MainWindowTest, ControlTableHoldsEveryControlInItsSlot)
{
    const std::pair<const char*, int> expected[qid::ctl_count] = {
        {"Label1", 0}, {"Frame1", 0}, {"Frame1", 1}, {"Frame1", 2}, {"List1", 0},   {"List2", 0},   {"List2", 1},
        {"Check1", 0}, {"List4", 0},  {"List4", 1},  {"List4", 2},  {"Text1", 0},   {"Label9", 0},  {"Frame2", 0},
        {"Label1", 0}, {"Image1", 0}, {"Image1", 1}, {"Image1", 2}, {"List3", 0},   {"List3", 1},   {"Text2", 0},
        {"Text2", 1},  {"Text2", 2},  {"Text2", 3},  {"Option1", 0}, {"Option1", 1}, {"Text3", 0},  {"Image1", 3},
        {"Image1", 4}, {"Label13", 0}, {"Label14", 0}, {"Label14", 1}, {"Label14", 2}, {"Image2", 0}};
    for (int s = 0; s < qid::ctl_count; ++s) {
        ASSERT_NE(ctl_tbl[s], nullptr) << "slot " << s;
        EXPECT_EQ(ctl_tbl[s]->name(), expected[s].first) << "slot " << s;
        EXPECT_EQ(ctl_tbl[s]->index(), expected[s].second) << "slot " << s;
        EXPECT_EQ(widget(s)->objectName(), expected[s].first);
        EXPECT_EQ(widget(s)->property("index").toInt(), expected[s].second);
    }
    EXPECT_EQ(ctl_tbl[0], ctl_tbl[14]);
    // 52 controls in all besides the menu: the table's 33 and the captions in the frames.
    EXPECT_EQ(window_->controls().size(), 52u);
}

TEST_F(MainWindowTest, ListsAreFilledInFileOrderWithTheDefaultsChosen)
{
    const qid::DataFileResult file = qid::read_data_file(qid::data_file);
    ASSERT_TRUE(file.data.has_value());
    const int list_slots[] = {5, 6, 18, 19, 8, 9, 10};
    for (int k = 0; k < 7; ++k) {
        auto* list = static_cast<QListWidget*>(widget(list_slots[k]));
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        EXPECT_EQ(shown, file.data->lists[static_cast<std::size_t>(k)]) << "list " << k;
    }
    EXPECT_EQ(ctl_tbl[6]->item(0), "UNCHANGED");
    EXPECT_EQ(ctl_tbl[19]->item(0), "AS ABOVE");
    EXPECT_EQ(ctl_tbl[5]->list_index(), -1);
    EXPECT_EQ(ctl_tbl[6]->list_index(), 0);
    EXPECT_EQ(ctl_tbl[18]->list_index(), -1);
    EXPECT_EQ(ctl_tbl[19]->list_index(), 0);
    EXPECT_EQ(ctl_tbl[24]->value(), 1);
    EXPECT_EQ(ctl_tbl[25]->value(), 0);
}

TEST_F(MainWindowTest, LayoutPlacesTheControlsOnTheDesignSurface)
{
    expect_geometry(14, {500, 200, 0, 0});
    expect_geometry(13, {500, 1200, 4100, 1100});
    expect_geometry(29, {5500, 1364, 0, 0});
    expect_geometry(1, {500, 2700, 10000, 3000});
    expect_geometry(2, {500, 6100, 10000, 3000});
    expect_geometry(3, {500, 9500, 10000, 3000});
    expect_geometry(4, {14000, 1360, 4200, 10200});
    expect_geometry(12, {14000, 560, 4200, 0});
    expect_geometry(33, {0, 0, 19200, 13900});
    expect_geometry(23, {7440, 1140, 400, 420});  // leaflet width sits left of the length
    expect_geometry(22, {8625, 1140, 400, 420});

    // The buttons: NEXT and BACK centred under the frames 200 apart, PRINT
    // centred under the list, CLEAR and EXTEND above the frames.
    const int w = ctl_tbl[16]->geometry().width;
    EXPECT_EQ(w, 1800);  // 120 pixels at 15 twips a pixel
    expect_geometry(16, {500 + (10000 - w) / 2 - (w / 2 + 100), 12600, 0, 0});
    expect_geometry(17, {500 + (10000 - w) / 2 + (w / 2 + 100), 12600, 0, 0});
    EXPECT_EQ(ctl_tbl[17]->geometry().left - (ctl_tbl[16]->geometry().left + w), 200);
    expect_geometry(15, {14000 + (4200 - ctl_tbl[15]->geometry().width) / 2, 11760, 0, 0});
    expect_geometry(27, {9300, 1360, 0, 0});
    expect_geometry(28, {6350, 1360, 0, 0});

    // The credit labels read as one line right of the bud frame.
    EXPECT_EQ(ctl_tbl[30]->geometry().left, 11500);
    EXPECT_EQ(ctl_tbl[31]->geometry().left, 11500 + ctl_tbl[30]->geometry().width);
    EXPECT_EQ(ctl_tbl[32]->geometry().left, ctl_tbl[31]->geometry().left + ctl_tbl[31]->geometry().width);
    EXPECT_EQ(ctl_tbl[31]->caption(), " Quenla frutescens");
    EXPECT_EQ(ctl_tbl[32]->caption(), ", Halvik 14987");

    EXPECT_EQ(ctl_tbl[1]->font_name(), "Arial");
    EXPECT_EQ(ctl_tbl[4]->font_name(), "Georgia");
    EXPECT_TRUE(widget(4)->font().italic());
    EXPECT_EQ(ctl_tbl[12]->font_name(), "Arial");
    EXPECT_DOUBLE_EQ(ctl_tbl[12]->font_size(), 15.75);
    EXPECT_EQ(ctl_tbl[31]->font_name(), "Georgia");  // only the first credit label becomes Arial
    EXPECT_EQ(ctl_tbl[14]->caption(),
              "Please enter as much data as possible on the TREE, FRUIT, LEAVES and BUDS.\n\n"
              "When you've done this, click the 'NEXT' button.");
}

TEST_F(MainWindowTest, EveryEditReturnsTheCascadeToItsStart)
{
    auto fake_result = [] {
        qid::stage = 1;
        qid::needs_read = false;
        qid::last_stage_done = true;
        qid::range_ext = 0.2f;
        ctl_tbl[4]->add_item("Quenla frutescens");
        ctl_tbl[12]->set_caption("Trees selected on FRUIT data.");
        for (int s : {15, 17, 28, 29})
            ctl_tbl[s]->set_visible(true);
        ctl_tbl[16]->set_visible(false);
    };
    auto expect_reset = [](const char* what) {
        EXPECT_EQ(qid::stage, -1) << what;
        EXPECT_TRUE(qid::needs_read) << what;
        EXPECT_FALSE(qid::last_stage_done) << what;
        EXPECT_EQ(qid::range_ext, 0.0f) << what;
        EXPECT_EQ(ctl_tbl[4]->item_count(), 0) << what;
        EXPECT_EQ(ctl_tbl[12]->caption(), "SELECTION") << what;
        EXPECT_TRUE(ctl_tbl[16]->visible()) << what;
        for (int s : {15, 17, 28, 29})
            EXPECT_FALSE(ctl_tbl[s]->visible()) << what << " slot " << s;
    };

    window_->show();
    for (int s : {11, 20, 21, 22, 23, 26}) {
        fake_result();
        QTest::keyClicks(widget(s), "7");
        expect_reset("typing");
    }
    for (int s : {5, 6, 18, 19, 8, 9, 10}) {
        fake_result();
        ctl_tbl[s]->set_list_index(1);
        expect_reset("choosing");
        // Clicking the entry already chosen counts as a change too.
        fake_result();
        auto* list = static_cast<QListWidget*>(widget(s));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        expect_reset("clicking the chosen entry");
    }
    fake_result();
    QTest::mouseClick(widget(7), Qt::LeftButton);
    expect_reset("tick box");
    fake_result();
    QTest::mouseClick(widget(24), Qt::LeftButton);  // the option already chosen
    expect_reset("option");

    // The result list is not an observation.
    fake_result();
    auto* results = static_cast<QListWidget*>(widget(4));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, results->visualItemRect(results->item(0)).center());
    EXPECT_EQ(qid::stage, 1);
}

// Records the order in which windows receive their close.
class CloseOrder final : public QObject {
public:
    QStringList closed;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }
};

TEST_F(MainWindowTest, ExitClosesEveryWindowTheMainWindowLast)
{
    window_->setObjectName("main");
    QWidget other;
    other.setObjectName("other");
    CloseOrder order;
    window_->installEventFilter(&order);
    other.installEventFilter(&order);
    window_->show();
    other.show();

    window_->exit_action()->trigger();
    EXPECT_EQ(order.closed, QStringList({"other", "main"}));
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(qid::msg_style, nullptr);
    EXPECT_EQ(qid::msg, nullptr);
}

TEST_F(MainWindowTest, ClosingTheMainWindowShutsDown)
{
    window_->show();
    QWidget other;
    other.show();
    window_->close();
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(qid::msg_style, nullptr);
}

class FailedStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        host_.folder = dir_.path();
        qid::platform::set_host(&host_);
    }
    void TearDown() override
    {
        qid::platform::set_host(nullptr);
        qid::form_tbl.clear();
        qid::msg_style.reset();
    }
    void copy_program_folder(bool with_data)
    {
        const QDir from(QID_PROGRAM_DIR "/graphics");
        QDir(dir_.path()).mkdir("graphics");
        for (const QString& f : from.entryList(QDir::Files))
            QFile::copy(from.filePath(f), dir_.filePath("graphics/" + f));
        if (with_data)
            QFile::copy(QID_PROGRAM_DIR "/qid.dta", dir_.filePath("qid.dta"));
    }

    QTemporaryDir dir_;
    FolderHost host_;
    qid::testing::RecordingMessages messages_;
};

TEST_F(FailedStartTest, MissingButtonPictureIsReportedByName)
{
    qid::QID_main window;
    EXPECT_FALSE(window.load());
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.last().text, "File '" + dir_.path() + "/graphics/printU.gif' doesn't exist.");
    EXPECT_EQ(messages_.last().icon, 16);
}

TEST_F(FailedStartTest, MissingBackgroundPictureIsReportedByName)
{
    copy_program_folder(true);
    QFile::remove(dir_.filePath("graphics/bkgnd.jpg"));
    qid::QID_main window;
    EXPECT_FALSE(window.load());
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.last().text, "File '" + dir_.path() + "/graphics/bkgnd.jpg' doesn't exist.");
}

TEST_F(FailedStartTest, MissingDataFileStopsStartUp)
{
    copy_program_folder(false);
    qid::QID_main window;
    EXPECT_FALSE(window.load());
    EXPECT_FALSE(qid::form_ready);
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.last().title, "DATA FILE ERROR");
    EXPECT_TRUE(messages_.last().text.contains(dir_.filePath("qid.dta")));
}

TEST(FileDate, IsTheProgramFilesDateAfterAComma)
{
    QTemporaryDir dir;
    const QString program = dir.filePath("quenla-id");
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2014, 2, 3), QTime(10, 0)), QFileDevice::FileModificationTime));
    f.close();
    FolderHost host;
    host.file = program;
    qid::platform::set_host(&host);
    EXPECT_EQ(qid::file_date(), ", 03/02/2014");
    qid::platform::set_host(nullptr);
}

}  // namespace
