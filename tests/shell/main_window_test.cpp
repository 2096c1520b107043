// The main window after start-up: the shared state, the control table, the
// layout, the change notifications, the failures that stop start-up, and Exit.
#include <cmath>
#include <set>

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>

#include "identify/data_file.h"
#include "platform/host.h"
#include "shell/image_button.h"
#include "shell/startup.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
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

// Left and top always; width and height where given.
void expect_geometry(int slot, Twips expected)
{
    const Twips g = ctl_tbl[static_cast<std::size_t>(slot)]->geometry();
    EXPECT_EQ(g.left, expected.left) << "slot " << slot;
    EXPECT_EQ(g.top, expected.top) << "slot " << slot;
    EXPECT_EQ(expected.width ? g.width : 0, expected.width) << "slot " << slot;
    EXPECT_EQ(expected.height ? g.height : 0, expected.height) << "slot " << slot;
}

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartUpLeavesTheSharedStateReady)
{
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(window_->windowTitle(), "KELBINE IDENTIFICATION");
    EXPECT_EQ(qid::app_path, QString(QID_PROGRAM_DIR) + "/");
    EXPECT_EQ(qid::data_file, qid::app_path + "qid.dta");
    EXPECT_TRUE(QRegularExpression("^, \\d\\d/\\d\\d/\\d{4}$").match(qid::build_date).hasMatch());
    EXPECT_EQ(qid::stage, -1);
    EXPECT_TRUE(qid::needs_read);
    EXPECT_FALSE(qid::last_stage_done);
    EXPECT_TRUE(qid::form_ready);
    EXPECT_EQ(qid::range_ext, 0.0f);
    EXPECT_EQ(qid::bud_len_fac, (std::array<float, 2>{0.8f, 1.1f}));
    ASSERT_EQ(qid::form_tbl.size(), 1u);
    EXPECT_EQ(qid::form_tbl[0], window_.get());
    EXPECT_NE(qid::msg_style, nullptr);
    // Only NEXT and CLEAR are offered; the result list is empty under "SELECTION".
    EXPECT_EQ(shown(), "010100");
    EXPECT_EQ(ctl_tbl[result_list]->item_count(), 0);
    EXPECT_EQ(ctl_tbl[heading]->caption(), "SELECTION");
    // The window carries the program's icon in every size the icon file holds.
    const QList<QSize> sizes = window_->windowIcon().availableSizes();
    for (int side : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

TEST_F(MainWindowTest, ControlTableHoldsEveryControlInItsSlot)
{
    const QStringList expected = QString(
        "Label1 0 Frame1 0 Frame1 1 Frame1 2 List1 0 List2 0 List2 1 Check1 0 List4 0 List4 1 List4 2 Text1 0 "
        "Label9 0 Frame2 0 Label1 0 Image1 0 Image1 1 Image1 2 List3 0 List3 1 Text2 0 Text2 1 Text2 2 Text2 3 "
        "Option1 0 Option1 1 Text3 0 Image1 3 Image1 4 Label13 0 Label14 0 Label14 1 Label14 2 Image2 0").split(' ');
    for (int s = 0; s < qid::ctl_count; ++s) {
        ASSERT_NE(ctl_tbl[s], nullptr) << "slot " << s;
        EXPECT_EQ(widget(s)->objectName(), expected[2 * s]) << "slot " << s;
        EXPECT_EQ(widget(s)->property("index").toString(), expected[2 * s + 1]) << "slot " << s;
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
    for (std::size_t k = 0; k < 7; ++k) {
        QStringList entries;
        for (int i = 0; i < ctl_tbl[list_slots[k]]->item_count(); ++i)
            entries << ctl_tbl[list_slots[k]]->item(i);
        EXPECT_EQ(entries, file.data->lists[k]) << "list " << k;
        // Only FINAL COLOUR and COLOUR BELOW have their first entry chosen.
        EXPECT_EQ(ctl_tbl[list_slots[k]]->list_index(), k == 1 || k == 3 ? 0 : -1) << "list " << k;
    }
    EXPECT_EQ(ctl_tbl[spherical]->value(), 1);
    EXPECT_EQ(ctl_tbl[ellipsoidal]->value(), 0);
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
    EXPECT_DOUBLE_EQ(ctl_tbl[12]->font_size(), 16);  // 15.75 at design, whole points once fitted
    EXPECT_EQ(ctl_tbl[31]->font_name(), "Georgia");  // only the first credit label becomes Arial
    EXPECT_EQ(ctl_tbl[14]->caption(),
              "Please enter as much data as possible on the TREE, FRUIT, LEAVES and BUDS.\n\n"
              "When you've done this, click the 'NEXT' button.");
}

// The entries a list cuts at its width and font.
std::string cut_entries(QListWidget* list)
{
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.widget = list;
    option.font = list->font();
    QStringList cut;
    for (int i = 0; i < list->count(); ++i)
        if (list->itemDelegate()->sizeHint(option, list->model()->index(i, 0)).width() > list->viewport()->width())
            cut << list->item(i)->text();
    return cut.join(", ").toStdString();
}

TEST_F(MainWindowTest, EveryListShowsEveryEntryWholeAtAnyScreenSize)
{
    for (int i = 1; i <= qid::species_count; ++i)
        ctl_tbl[result_list]->add_item("Quenla " + qid::species_name[static_cast<std::size_t>(i)]);
    // The window grows with the screen, its fonts rounded down: 1280, 1600,
    // 1920 and 2560 pixels wide.
    for (double factor : {1.0, 1.25, 1.5, 2.0})
        for (int s : {initial_colour, final_colour, colour_above, colour_below, bud_colour, bud_hairs, sticky,
                      result_list}) {
            qid::platform::Control& c = *ctl_tbl[s];
            const Twips g = c.geometry();
            const double size = c.font_size();
            c.set_geometry({g.left, g.top, static_cast<int>(g.width * factor), static_cast<int>(g.height * factor)});
            c.set_font_size(std::floor(size * factor));
            QCoreApplication::processEvents();  // lays the list out, its scroll bar included
            EXPECT_EQ(cut_entries(static_cast<QListWidget*>(widget(s))), "") << s << " at " << factor;
            c.set_geometry(g);
            c.set_font_size(size);
        }
}

TEST_F(MainWindowTest, TheCreditLineSitsOnOneBaselineWithoutGaps)
{
    // Each label is as wide as its text, and the next one starts there.
    for (int s : {30, 31}) {
        EXPECT_LT(widget(s)->width() - QFontMetricsF(widget(s)->font()).horizontalAdvance(ctl_tbl[s]->caption()), 1);
        EXPECT_EQ(widget(s + 1)->x(), widget(s)->x() + widget(s)->width()) << s;
    }
    // The lowest inked row of an "H", which stands on the baseline, in the
    // window: the same in Arial, Georgia italic and Georgia.
    std::set<int> baselines;
    for (int s : {30, 31, 32}) {
        ctl_tbl[s]->set_caption("H");
        const QImage ink = widget(s)->grab().toImage();
        int lowest = -1;
        for (int y = 0; y < ink.height(); ++y)
            for (int x = 0; x < ink.width(); ++x)
                if (qAlpha(ink.pixel(x, y)) > 128 && qGray(ink.pixel(x, y)) < 128)
                    lowest = y;
        baselines.insert(widget(s)->y() + lowest);
    }
    EXPECT_EQ(baselines.size(), 1u);
}

TEST_F(MainWindowTest, EveryEditReturnsTheCascadeToItsStart)
{
    auto fake_result = [] {
        qid::stage = 1;
        qid::needs_read = false;
        qid::last_stage_done = true;
        qid::range_ext = 0.2f;
        ctl_tbl[result_list]->add_item("Quenla frutescens");
        ctl_tbl[heading]->set_caption("Trees selected on FRUIT data.");
        for (int s : {print, next, back, extend, notice})
            ctl_tbl[s]->set_visible(s != next);
    };
    auto expect_reset = [](const char* what) {
        EXPECT_TRUE(qid::stage == -1 && qid::needs_read && !qid::last_stage_done && qid::range_ext == 0.0f) << what;
        EXPECT_EQ(ctl_tbl[result_list]->item_count(), 0) << what;
        EXPECT_EQ(ctl_tbl[heading]->caption(), "SELECTION") << what;
        EXPECT_EQ(shown(), "010100") << what;
    };

    for (int s : {berry_size, pairs, leaf_length, leaflet_length, leaflet_width, bud_length}) {
        fake_result();
        type(s, "7");
        expect_reset("typing");
    }
    for (int s : {initial_colour, final_colour, colour_above, colour_below, bud_colour, bud_hairs, sticky}) {
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
    click(young);
    expect_reset("tick box");
    fake_result();
    click(spherical);  // the option already chosen
    expect_reset("option");

    // The result list is not an observation.
    fake_result();
    auto* list = static_cast<QListWidget*>(widget(result_list));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
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
    other.show();

    window_->exit_action()->trigger();
    EXPECT_EQ(order.closed, QStringList({"other", "main"}));
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(qid::msg_style, nullptr);

    // Closing the main window itself shuts down the same way.
    window_->show();
    other.show();
    window_->close();
    EXPECT_FALSE(other.isVisible());
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
        qid::about.reset();
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

TEST_F(FailedStartTest, EmptyDefaultListsLeaveOnlyNextAndClearOnOffer)
{
    // FINAL COLOUR and COLOUR BELOW hold nothing: choosing their first entry changes nothing.
    copy_program_folder(false);
    QFile shipped(QID_PROGRAM_DIR "/qid.dta"), data(dir_.filePath("qid.dta"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly) && data.open(QIODevice::WriteOnly));
    QList<QByteArray> lines = shipped.readAll().split('\n');
    lines[1] = lines[3] = "0\r";
    data.write(lines.join('\n'));
    data.close();

    qid::QID_main window;
    ASSERT_TRUE(window.load());
    EXPECT_EQ(ctl_tbl[final_colour]->item_count() + ctl_tbl[colour_below]->item_count(), 0);
    EXPECT_EQ(shown(), "010100");
    window.image_button(1)->release();  // NEXT runs the first step
    EXPECT_EQ(qid::stage, 0);
    EXPECT_EQ(shown(), "110100");
    qid::form_ready = false;
}

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
