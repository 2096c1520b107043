// Fitting the main window to screens of several sizes: factors, frame, controls, pictures and fonts.
#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "platform/image_button.h"
#include "shell/resize.h"
#include "window_fixture.h"

namespace {

using namespace qid::testing;
using qid::ctl_tbl;
namespace rz = qid::resize;

// The entries a list cuts at its width and font.
std::string cut_entries(QAbstractItemView* list)
{
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.widget = list;
    option.font = list->font();
    QStringList cut;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        if (list->itemDelegate()->sizeHint(option, list->model()->index(i, 0)).width() > list->viewport()->width())
            cut << list->model()->index(i, 0).data().toString();
    return cut.join(", ").toStdString();
}

class ResizeTest : public WindowTest {
protected:
    // Every control stays inside the client area that the title and menu bars
    // leave, and no caption, list entry (every species listed) or credit label is cut off.
    void expect_nothing_cut()
    {
        const QRect room = window_->surface()->rect();
        for (const auto& c : window_->controls()) {
            QWidget* w = c->widget();
            const bool on_surface = w->parentWidget() == window_->surface() && w != window_->background();
            EXPECT_TRUE(!on_surface || room.contains(w->geometry())) << c->name().toStdString() << c->index();
            auto* label = qobject_cast<QLabel*>(w);
            if (!label || label->text().isEmpty() || qobject_cast<qid::platform::ImageButton*>(w))
                continue;
            const int needed =
                label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            EXPECT_LE(needed, label->height()) << label->text().toStdString();
        }
        for (int i = 1; i <= qid::species_count; ++i)
            ctl_tbl[result_list]->add_item("Quenla " + qid::species_name[static_cast<std::size_t>(i)]);
        QCoreApplication::processEvents();  // lays the lists out, their scroll bars included
        for (int s : {initial_colour, final_colour, colour_above, colour_below, bud_colour, bud_hairs, sticky,
                      result_list})
            EXPECT_EQ(cut_entries(static_cast<QAbstractItemView*>(widget(s))), "") << s;
        // The credit labels still read as one line.
        EXPECT_EQ(ctl_tbl[31]->geometry().left, ctl_tbl[30]->geometry().left + ctl_tbl[30]->geometry().width);
    }
};

// Twips of the screen, the factors, the window's frame in pixels, the result
// list's left edge, and the fonts of 9.75, 12 and 15.75 points at design.
struct Screen {
    int width, height;
    double scale_x, scale_y;
    int screen_h;
    QSize frame;
    int list_left, caption, list, heading;
};

const Screen screens[] = {
    {19200, 14400, 1.0, 1.0, 13900, {1280, 927}, 14000, 10, 10, 16},
    {24000, 18000, 1.25, 1.25, 17375, {1600, 1158}, 17500, 12, 12, 20},
    // Narrower than the design: fonts shrink and are rounded down.
    {15360, 14400, 0.8, 14000 / 13900.0, 14000, {1024, 926}, 11200, 8, 8, 12},
};

TEST_F(ResizeTest, ScreensOfEverySizeGiveTheFactorsAndTheWindow)
{
    for (const Screen& s : screens) {
        reopen({s.width, s.height});
        SCOPED_TRACE(s.width);
        EXPECT_EQ(std::tuple(rz::screen_w, rz::screen_h, rz::scale_x, rz::scale_y, window_->frameGeometry()),
                  std::tuple(s.width, s.screen_h, s.scale_x, s.scale_y, QRect(QPoint(0, 0), s.frame)));
        EXPECT_EQ(std::tuple(ctl_tbl[result_list]->geometry().left, window_->control("Label2", 0)->font_size(),
                             ctl_tbl[initial_colour]->font_size(), ctl_tbl[heading]->font_size()),
                  std::tuple(s.list_left, s.caption, s.list, s.heading));
        // On the design's own screen no control moves.
        for (int k = 0; s.scale_x == 1 && k < rz::layout_count; ++k) {
            const qid::ctl_geom& e = rz::layout[static_cast<std::size_t>(k)];
            const qid::platform::Twips g = window_->control(e.name, e.index)->geometry();
            EXPECT_TRUE(g.left == e.left && g.top == e.top && g.width == e.width && g.height == e.height) << k;
        }
        expect_nothing_cut();
    }
    EXPECT_EQ(rz::layout_count, 52);
}

TEST_F(ResizeTest, PicturesAreMovedButNeverStretched)
{
    reopen({24000, 18000});
    for (int s : {print, next, back, clear, extend}) {
        auto* button = static_cast<qid::platform::ImageButton*>(widget(s));
        EXPECT_EQ(button->size(), button->pixmap().size());
    }
    EXPECT_EQ(std::pair(ctl_tbl[clear]->geometry().left, ctl_tbl[clear]->geometry().top), std::pair(11625, 1700));
    EXPECT_EQ(window_->background()->geometry(), QRect(0, 0, 1280, 927));
}

// On screens wider or shorter than the design, fonts follow the smaller factor.
TEST_F(ResizeTest, NoControlOrCaptionIsCutOffOnAnyScreen)
{
    const qid::platform::ScreenTwips sizes[] = {{20490, 11520}, {28800, 16200}, {57600, 32400}, {9600, 7200}};
    std::vector<std::pair<int, int>> parts;  // the tick box's square and a list's scroll bar
    for (const auto& size : sizes) {
        reopen(size);
        SCOPED_TRACE(size.width);
        parts.emplace_back(widget(young)->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget(young)),
                           static_cast<QAbstractScrollArea*>(widget(bud_colour))->verticalScrollBar()->width());
        expect_nothing_cut();
    }
    // They grow with the writing from 1920 x 1080 up, and never shrink.
    EXPECT_TRUE(parts[0] == parts[1] && parts[3] == parts[1]);
    EXPECT_TRUE(std::abs(parts[2].first - 2 * parts[1].first) + std::abs(parts[2].second - 2 * parts[1].second) <= 1);
    // 1920 x 1080: captions at 10 x 1.11 points, not 10 x 1.5.
    reopen({28800, 16200});
    EXPECT_EQ(window_->control("Label2", 0)->font_size(), 11);
}

}  // namespace
