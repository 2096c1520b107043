// The main window after start-up: shared state, lists, layout, credit line, edits, start-up failures, Exit.
#include <functional>
#include <numeric>
#include <set>

#include <QFontMetricsF>
#include <QLabel>

#include "about/about_window.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "identify/data_file.h"
#include "msgbox/mesage_box.h"
#include "shell/startup.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using qid::ctl_tbl;
using qid::platform::Twips;

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartUpLeavesTheSharedStateAndTheListsReady)
{
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(window_->windowTitle(), "KELBINE IDENTIFICATION");
    EXPECT_EQ(std::pair(qid::app_path, qid::data_file),
              std::pair(QString(QID_PROGRAM_DIR "/"), QString(QID_PROGRAM_DIR "/qid.dta")));
    EXPECT_TRUE(QRegularExpression("^, \\d\\d/\\d\\d/\\d{4}$").match(qid::build_date).hasMatch());
    EXPECT_EQ(std::tuple(qid::stage, qid::needs_read, qid::last_stage_done, qid::form_ready, qid::range_ext,
                         qid::bud_len_fac),
              std::tuple(-1, true, false, true, 0.0f, std::array{0.8f, 1.1f}));
    // Only NEXT and CLEAR are offered; the result list is empty under "SELECTION".
    EXPECT_EQ(std::tuple(shown(), ctl_tbl[result_list]->item_count(), ctl_tbl[heading]->caption()),
              std::tuple("010100", 0, "SELECTION"));
    // The window carries the program's icon in every size the icon file holds.
    for (int side : {16, 32, 48, 256})
        EXPECT_TRUE(window_->windowIcon().availableSizes().contains(QSize(side, side))) << side;
    // The lists are filled in file order.
    const qid::DataFileResult file = qid::read_data_file(qid::data_file);
    ASSERT_TRUE(file.data.has_value());
    const int list_slots[] = {initial_colour, final_colour, colour_above, colour_below, bud_colour, bud_hairs, sticky};
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(results(list_slots[k]), file.data->lists[k]) << "list " << k;
        // Only FINAL COLOUR and COLOUR BELOW have their first entry chosen.
        EXPECT_EQ(ctl_tbl[list_slots[k]]->list_index(), k == 1 || k == 3 ? 0 : -1) << "list " << k;
    }
    EXPECT_EQ(std::pair(ctl_tbl[spherical]->value(), ctl_tbl[ellipsoidal]->value()), std::pair(1, 0));
}

TEST_F(MainWindowTest, LayoutPlacesTheControlsOnTheDesignSurface)
{
    QStringList placed;  // slot: left, top, width, height in twips
    for (int s : {14, 13, 29, 1, 2, 3, 4, 12, 33, 23, 22, 16, 17, 15, 27, 28}) {
        const Twips g = ctl_tbl[s]->geometry();
        placed << QString("%1:%2,%3,%4,%5").arg(s).arg(g.left).arg(g.top).arg(g.width).arg(g.height);
    }
    // The frames one under another, the leaflet width left of its length; NEXT and BACK (120 x 40 pixels)
    // centred under the frames 200 apart, PRINT centred under the list, CLEAR and EXTEND above the frames.
    EXPECT_EQ(placed.join(' '),
              "14:500,200,10000,1000 13:500,1200,4100,1100 29:5500,1364,3500,300 1:500,2700,10000,3000 "
              "2:500,6100,10000,3000 3:500,9500,10000,3000 4:14000,1360,4200,10200 12:14000,560,4200,700 "
              "33:0,0,19200,13900 23:7440,1140,400,420 22:8625,1140,400,420 16:3600,12600,1800,600 "
              "17:5600,12600,1800,600 15:15200,11760,1800,600 27:9300,1360,1800,600 28:6350,1360,1800,600");
    EXPECT_EQ(std::tuple(ctl_tbl[1]->font_name(), ctl_tbl[4]->font_name(), widget(4)->font().italic(),
                         ctl_tbl[12]->font_name(), ctl_tbl[31]->font_name()),
              std::tuple("Arial", "Georgia", true, "Arial", "Georgia"));  // only the first credit label is Arial
    EXPECT_DOUBLE_EQ(ctl_tbl[12]->font_size(), 16);  // 15.75 at design, whole points once fitted
    EXPECT_EQ(ctl_tbl[14]->caption(),
              "Please enter as much data as possible on the TREE, FRUIT, LEAVES and BUDS.\n\n"
              "When you've done this, click the 'NEXT' button.");
}

TEST_F(MainWindowTest, TheCreditLineSitsOnOneBaselineWithoutGaps)
{
    EXPECT_EQ(ctl_tbl[30]->geometry().left, 11500);  // 1000 right of the bud frame
    EXPECT_EQ(std::tuple(ctl_tbl[31]->caption(), ctl_tbl[32]->caption()),
              std::tuple(" Quenla frutescens", ", Halvik 14987"));
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
    // Makes the edit on a window showing a result of extended ranges; what is left.
    const auto after = [](const std::function<void()>& edit) {
        qid::stage = 1;
        qid::needs_read = false;
        qid::last_stage_done = true;
        qid::range_ext = 0.2f;
        ctl_tbl[result_list]->add_item("Quenla frutescens");
        ctl_tbl[heading]->set_caption("Trees selected on FRUIT data.");
        for (int s : {print, next, back, extend, notice})
            ctl_tbl[s]->set_visible(s != next);
        edit();
        return std::tuple(qid::stage, qid::needs_read, qid::last_stage_done, qid::range_ext,
                          ctl_tbl[result_list]->item_count(), ctl_tbl[heading]->caption(), shown());
    };
    const auto start = std::tuple(-1, true, false, 0.0f, 0, "SELECTION", "010100");
    for (int s : {berry_size, pairs, leaf_length, leaflet_length, leaflet_width, bud_length})
        EXPECT_EQ(after([s] { type(s, "7"); }), start) << "typing in " << s;
    for (int s : {initial_colour, final_colour, colour_above, colour_below, bud_colour, bud_hairs, sticky}) {
        EXPECT_EQ(after([s] { ctl_tbl[s]->set_list_index(1); }), start) << "choosing in " << s;
        // Clicking the entry already chosen counts as a change too.
        EXPECT_EQ(after([s] { choose(s, qPrintable(ctl_tbl[s]->item(1))); }), start) << "clicking in " << s;
    }
    EXPECT_EQ(after([] { click(young); }), start);
    EXPECT_EQ(after([] { click(spherical); }), start);  // the option already chosen
    // The result list is not an observation.
    EXPECT_EQ(std::get<0>(after([] { choose(result_list, "Quenla frutescens"); })), 1);
}

// Records the order in which windows receive their close.
struct CloseOrder final : QObject {
    QList<QObject*> closed;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Close)
            closed << watched;
        return false;
    }
};

TEST_F(MainWindowTest, ExitClosesEveryWindowTheMainWindowLast)
{
    QWidget other;
    CloseOrder order;
    window_->installEventFilter(&order);
    other.installEventFilter(&order);
    other.show();
    window_->exit_action()->trigger();
    EXPECT_EQ(order.closed, QList<QObject*>({&other, window_.get()}));
    EXPECT_TRUE(!window_->isVisible() && qid::msg_style == nullptr);
}

TEST_F(FolderTest, EmptyDefaultListsLeaveOnlyNextAndClearOnOffer)
{
    // FINAL COLOUR and COLOUR BELOW hold nothing: choosing their first entry changes nothing.
    QList<QByteArray> lines = read_file(QID_PROGRAM_DIR "/qid.dta").split('\n');
    lines[1] = lines[3] = "0\r";
    fill(lines.join('\n'));
    open();
    EXPECT_EQ(ctl_tbl[final_colour]->item_count() + ctl_tbl[colour_below]->item_count(), 0);
    EXPECT_EQ(shown(), "010100");
    click(next);
    EXPECT_EQ(std::pair(int(qid::stage), shown()), std::pair(0, std::string("110100")));
}

TEST_F(FolderTest, AMissingPictureOrDataFileStopsStartUpAndIsNamed)
{
    // What the folder lacks, and the one message shown.
    const std::pair<const char*, const char*> cases[] = {
        {"graphics", "QUENLA ID ERROR|File '%1/graphics/printU.gif' doesn't exist."},
        {"graphics/bkgnd.jpg", "QUENLA ID ERROR|File '%1/graphics/bkgnd.jpg' doesn't exist."},
        {"qid.dta", "DATA FILE ERROR|The species data file '%1/qid.dta' cannot be used."},
    };
    for (const auto& [missing, expected] : cases) {
        fill();
        QDir(path(missing)).removeRecursively();
        QFile::remove(path(missing));
        messages_.clear();
        qid::QID_main window;
        EXPECT_FALSE(window.load()) << missing;
        EXPECT_FALSE(qid::form_ready);
        ASSERT_EQ(messages_.shown().size(), 1u) << missing;
        const Recorded& m = messages_.last();
        EXPECT_EQ(std::pair(m.title + "|" + m.text.section('\n', 0, 0), m.icon),
                  std::pair(QString(expected).arg(dir_.path()), 16));
        TearDown();
        SetUp();
    }
}

// The About box, the message box's style and the document with its preview
// are made on first use, as start-up would have made them.
TEST_F(FolderTest, WindowsMadeOnFirstUseAreAsStartUpLeftThemAndHadTheirPicturesChecked)
{
    fill();
    for (const char* gone : {"s_vil3.jpg", "closeU.gif", "mag-minus.ico"})
        QFile::remove(path("graphics/") + gone);
    open();
    const auto reported = [this] {
        return std::accumulate(messages_.shown().begin(), messages_.shown().end(), QString(),
                               [](QString all, const Recorded& m) { return all + m.title + m.text.section('/', -1); });
    };
    const QString at_start = "QUENLA ID ERRORs_vil3.jpg' doesn't exist.QUENLA ID ERRORcloseU.gif' doesn't exist."
                             "'set_up' ERRORmag-minus.ico' doesn't exist.";
    EXPECT_EQ(reported(), at_start);
    EXPECT_EQ(qid::pages, nullptr);

    screen_.memory_status = {};  // the box shows the memory as it was at start-up
    EXPECT_EQ(qid::about->window()->mem_lbl->text(), "Total memory = 8 GB\nof which 25% is available.");
    qid::mbx first_box;
    const qid::mesage_box& box = qid::mesage_box::instance();
    EXPECT_EQ(std::tuple(box.font().family(), box.font().pointSize(), box.palette().color(QPalette::Window)),
              std::tuple("Arial", 12, QColor(214, 204, 192)));
    qid::PPpages& document = qid::document();
    EXPECT_EQ(std::pair(document.window().bound_pages(), document.page_data(5).toFloat()), std::pair(&document, 0.2f));
    EXPECT_EQ(reported(), at_start);  // and nothing is reported twice
}

TEST_F(FolderTest, FileDateIsTheProgramFilesDateAfterAComma)
{
    QFile f(screen_.file = path("quenla-id"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2014, 2, 3), QTime(10, 0)), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(qid::file_date(), ", 03/02/2014");
}

}  // namespace
