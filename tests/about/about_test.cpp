// The About box: memory in words, the memory line, its texts' layout and create_About's arguments.
#include <QLabel>
#include <QLocale>

#include <gtest/gtest.h>

#include "about/about_64.h"
#include "about/about_window.h"
#include "core/shared.h"
#include "recording_messages.h"
#include "platform/image_button.h"

namespace qid::testing {
namespace {

TEST(NumberInKB, NamesTheAmountInItsUnitHalvesToEven)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0 bytes"}, {1023, "1023 bytes"}, {1024, "1 KB"}, {1536, "1.5 KB"}, {1280, "1.2 KB"}, {1792, "1.8 KB"},
        {1048575, "1024 KB"}, {1048576, "1 MB"}, {1179648, "1.12 MB"}, {8589934592, "8 GB"},
        {1342177280, "1.25 GB"}, {1099511627775, "1024 GB"}, {1099511627776, ""}};
    for (const auto& [n, text] : cases)
        EXPECT_EQ(about_64::NumberInKB(n), text) << n;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(about_64::NumberInKB(1536), "1,5 KB");
    QLocale::setDefault(QLocale::c());
}

TEST(MemoryLine, GivesTheTotalAndTheShareAvailable)
{
    EXPECT_EQ(about_64::memory_line({8589934592.0, 2147483648.0}), "Total memory = 8 GB\nof which 25% is available.");
    EXPECT_EQ(about_64::memory_line({}), "Total memory = 0 bytes\nof which 0% is available.");
    // Two thirds round up; a half goes to the even neighbour.
    EXPECT_EQ(about_64::memory_line({3.0, 2.0}), "Total memory = 3 bytes\nof which 67% is available.");
    EXPECT_EQ(about_64::memory_line({8.0, 1.0}), "Total memory = 8 bytes\nof which 12% is available.");
    const platform::MemoryStatus m =
        platform::parse_meminfo("MemTotal:       16318928 kB\nMemFree:  812340 kB\nMemAvailable:    9876543 kB\n");
    EXPECT_TRUE(m.total == 16318928.0 * 1024 && m.available == 9876543.0 * 1024);
    EXPECT_EQ(platform::parse_meminfo("MemTotal: 1024 kB\n").available, 0);
}

// A 1280 x 960 screen at 96 DPI with 8 GB of memory, 2 GB of it available.
class AboutTest : public ::testing::Test, public platform::Host {
protected:
    void SetUp() override
    {
        platform::set_host(this);
        app_path = QID_PROGRAM_DIR "/";
    }
    void TearDown() override { platform::set_host(nullptr); }
    platform::ScreenTwips screen() const override { return {19200, 14400}; }
    double logical_dpi() const override { return 96.0; }
    platform::MemoryStatus memory() const override { return {8589934592.0, 2147483648.0}; }

    static About& build(about_64& a, const QString& logo = "Vantelo_qid.gif", std::optional<std::int16_t> tp = {},
                        std::int16_t lf = 9000)
    {
        a.create_About(logo, 19733, 16777215, tp, lf, "s_vil3.jpg", 0.4f);
        return *a.window();
    }
    static VersionInfo version(const QString& description)
    {
        return {"Quenla ID", 2, 5, 11, description, "Comments", "Vantelo", "Copyright", "Trademarks"};
    }
    static constexpr const char* date = ", 03/02/2014";
    RecordingMessages messages;
};

TEST_F(AboutTest, ShowsTheVersionTheDateTheMemoryAndThePictures)
{
    about_64 full(date, 1.0f, version("An identification key for the trees of the genus Quenla"));
    const About& f = build(full);
    EXPECT_EQ(QStringList({f.title_lbl[0]->text(), f.title_lbl[1]->text(), f.mem_lbl->text(), f.make_lbl[2]->text()}),
              QStringList({"Quenla ID", "Version 2.5.11, 03/02/2014", "Total memory = 8 GB\nof which 25% is available.",
                           "Trademarks"}));
    EXPECT_EQ(f.Image1->pixmap().size(), QSize(160, 120));  // 400 x 300 at 0.4
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(f.title_lbl[2]->isVisibleTo(&f) && f.title_lbl[2]->height() > 0);
    EXPECT_GE(f.title_lbl[3]->y(), f.title_lbl[2]->geometry().bottom());
    // An empty description hides its label and moves the next one up; a
    // missing picture is reported, and the box is built without it.
    about_64 empty(date, 1.0f, version(""));
    const About& e = build(empty, "gone.gif");
    EXPECT_TRUE(e.title_lbl[2]->isHidden() && e.title_lbl[2]->height() == 0);
    EXPECT_EQ(e.title_lbl[3]->y(), e.title_lbl[2]->y());
    EXPECT_TRUE(e.Picture2->pixmap().isNull());
    EXPECT_EQ(messages.last().text, "File '" + app_path + "graphics/gone.gif' doesn't exist.");
}

TEST_F(AboutTest, IsBuiltOnceWithTheArgumentsInProportionToTheScreen)
{
    about_64 centred(date, 1.0f, version("x"));
    const About& c = build(centred, "Vantelo_qid.gif", {}, -1);
    EXPECT_NEAR(c.x(), (1280 - c.width()) / 2.0, 0.5);
    EXPECT_NEAR(c.y(), (960 - c.height()) / 2.0, 0.5);
    // The same margin right of the frames as left of them.
    EXPECT_NEAR(c.width() - c.Frame1[2]->geometry().right() - 1, c.Frame1[2]->x(), 1);
    about_64 placed(date, 3.0f, version("x"));
    const About& p = build(placed, "Vantelo_qid.gif", 600, 9000);
    placed.create_About("none.gif", 255, 0, 0, 0, "none.jpg", 1.0f);  // changes nothing
    EXPECT_EQ(p.pos(), QPoint(1800, 120));
    EXPECT_EQ(p.palette().color(QPalette::Window), QColor(21, 77, 0));
    // The close button grows with the box from a 1920-pixel screen's 1.5 up, and never shrinks.
    EXPECT_EQ(std::pair(c.Image2->size(), p.Image2->size()), std::pair(QSize(100, 26), QSize(200, 52)));
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace qid::testing
