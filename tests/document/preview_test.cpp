// The preview window: its layout numbers, the zoom, the three bars, and simulated clicks and keys.
#include <QLabel>
#include <QTest>

#include "document_fixture.h"
#include "platform/image_button.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;
using Request = std::tuple<std::int16_t, float, std::int16_t>;

class PreviewTest : public DocumentTest {
protected:
    preview& win() { return doc->window(); }
    const PreviewView& view() { return doc->view(); }
    QString zoom_caption() { return win().Label1()->text(); }
    QString page_caption() { return win().Label2()->text(); }
    void click_surface(Qt::MouseButton b, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(win().Picture2(), b, {}, QPoint(20, 20));
    }
};

// On a 1366 x 768 screen the window is never narrower than its strip; it comes back at its own
// place however it was moved while hidden; one page zoomed in has its vertical bar.
TEST_F(PreviewTest, AtOneHundredPercentOnePageHasNoVerticalBarAndThreeStepByTen)
{
    host.size = {20490, 11520};
    make_document();
    fill(1);
    EXPECT_EQ(std::tuple(win().FlatScrollBar(1)->isVisible(), view().win_w, zoom_caption(), page_caption()),
              std::tuple(false, view().frame_w, u"100%"_s, u"P. 1 of 1"_s));
    EXPECT_TRUE(win().rect().contains(win().Label2()->geometry()));
    // The frame: the screen's height less 1400 twips, as wide as the paper's proportion makes it.
    EXPECT_EQ(std::tuple(view().frame_h, view().win_h, view().win_top), std::tuple(10120.0, 10460.0, 200.0));
    EXPECT_DOUBLE_EQ(view().frame_w, 10120 / static_cast<double>(11.0f / 8.5f));
    doc->zoom();
    EXPECT_TRUE(win().FlatScrollBar(1)->isVisible());
    QTest::keyClick(&win(), Qt::Key_Escape);  // as CLOSE: the next preview starts at 100 %
    win().move(0, -7);
    doc->compose(1, 1, 1);
    EXPECT_EQ(win().pos(), QPoint(platform::twips_to_pixels(view().win_left), 13));  // 200 twips

    // Three pages: the vertical bar steps a page by ten.
    fill(3);
    EXPECT_EQ(std::tuple(bar(1, &QAbstractSlider::minimum), bar(1, &QAbstractSlider::maximum),
                         bar(1, &QAbstractSlider::singleStep), bar(1, &QAbstractSlider::pageStep)),
              std::tuple(0, 20, 10, 10));
    EXPECT_NEAR(view().win_w, view().frame_w + 340, 0.5);
    win().FlatScrollBar(1)->setValue(10);
    EXPECT_EQ(std::tuple(requests, win().FlatScrollBar(1)->property("arrows").toInt(), win().FlatScrollBar(3)->value()),
              std::tuple(std::vector{Request(1, 1.0f, 2)}, 0, 2));
}

TEST_F(PreviewTest, ZoomingInMakesTheWindowOneBarTallerAndTurnsAtTheEnds)
{
    fill(2);
    const double normal = view().win_h;
    const double wide = view().win_w;
    doc->zoom();
    EXPECT_EQ(std::tuple(view().win_h, view().zoom_level, zoom_caption()), std::tuple(normal + 340, 1, u"120%"_s));
    for (int i = 0; i < 10; ++i)  // the tenth step finds level 10 and turns the direction
        doc->zoom();
    EXPECT_EQ(std::tuple(view().win_h, view().zoom_level, view().zoom_step, zoom_caption()),
              std::tuple(normal + 340, 10, -1, u"300%"_s));
    EXPECT_EQ(std::pair(view().surface_h, view().surface_w), std::pair(view().frame_h * 3.0f, view().frame_w * 3.0f));
    EXPECT_TRUE(win().FlatScrollBar(2)->isVisible());
    // The horizontal bar scrolls across the page's overhang, not the vertical one.
    EXPECT_NEAR(win().FlatScrollBar(2)->maximum(), view().surface_w - view().frame_w, 0.5);
    for (int i = 0; i < 11; ++i)
        doc->zoom();
    EXPECT_EQ(std::tuple(view().win_h, view().win_w, view().zoom_level, view().zoom_step, zoom_caption()),
              std::tuple(normal, wide, 0, 1, u"100%"_s));
    EXPECT_FALSE(win().FlatScrollBar(2)->isVisible());
    EXPECT_EQ(requests.back(), Request(1, 1.0f, 1));
}

TEST_F(PreviewTest, FourZoomedPagesShareTheVerticalBar)
{
    fill(4);
    doc->zoom();
    EXPECT_EQ(std::tuple(view().steps_per_page, bar(1, &QAbstractSlider::maximum),
                         bar(1, &QAbstractSlider::pageStep), bar(1, &QAbstractSlider::singleStep)),
              std::tuple(8191, 32761, 8190, 82));
    const int overhang = view().overhang;
    EXPECT_EQ(overhang, static_cast<int>(view().frame_h * 1.2f - view().frame_h + 0.5));
    requests.clear();
    win().FlatScrollBar(1)->setValue(8191);  // page 2 from its top
    EXPECT_EQ(requests, std::vector{Request(1, 1.2f, 2)});
    EXPECT_EQ(std::pair(view().surface_top, page_caption()), std::pair(0.0, u"P. 2 of 4"_s));
    win().FlatScrollBar(1)->setValue(8191 + 4095);  // half way down page 2, not composed again
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(view().surface_top, -std::round(4095.0 * overhang / 8190));
    win().FlatScrollBar(1)->setValue(8000);  // back on page 1, from its bottom
    EXPECT_EQ(std::pair(requests.back(), view().surface_top), std::pair(Request(1, 1.2f, 1), -double(overhang)));
}

// The page step is a tenth of the range; the arrows lit are 2 on the first page, 1 on the last, 0 between.
TEST_F(PreviewTest, ThePageBarStepsByATenthOfItsRange)
{
    for (const auto& [max, value, step, arrows] : {std::tuple(25, 1, 2, 2), {8, 8, 1, 1}, {5, 2, 1, 0}}) {
        win().set_bar_range(max, 1, value);
        EXPECT_EQ(std::tuple(bar(3, &QAbstractSlider::pageStep), win().FlatScrollBar(3)->property("arrows").toInt(),
                             page_caption()),
                  std::tuple(step, arrows, u"P. %1 of %2"_s.arg(value).arg(max)));
    }
    EXPECT_TRUE(requests.empty());  // setting the bar composes nothing
}

// The mouse, and the keys sent to whatever has the focus, zoom, page, scroll and close; keys
// zoom within 100 to 300 % and leave the clicks' direction alone. Focused, PRINT has its mark
// round its picture, off its word.
TEST_F(PreviewTest, MouseAndKeysZoomPageScrollAndClose)
{
    fill(3);
    QApplication::setActiveWindow(&win());
    ASSERT_EQ(QApplication::focusWidget(), win().Image1(0));
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    const auto face = [this] { return win().Image1(0)->grab().toImage().copy(win().Image1(0)->contentsRect()); };
    const QImage marked = win().Image1(0)->grab().toImage(), marked_face = face();
    const double normal = view().win_h;
    click_surface(Qt::LeftButton, 10);
    key(Qt::Key_Plus);
    EXPECT_EQ(std::tuple(zoom_caption(), view().win_h, view().zoom_step), std::tuple(u"300%"_s, normal + 340, 1));
    QTest::mouseClick(win().Picture2(), Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 20));  // ignored
    click_surface(Qt::RightButton);
    click_surface(Qt::LeftButton);
    key(Qt::Key_Minus);
    key(Qt::Key_Plus);
    EXPECT_EQ(std::tuple(zoom_caption(), view().zoom_step, requests.back()), std::tuple(u"280%"_s, -1, Request(1, 2.8f, 1)));
    key(Qt::Key_Plus);  // keys reach the top, 300 %, too
    EXPECT_EQ(zoom_caption(), u"300%"_s);
    key(Qt::Key_Minus);
    QWheelEvent wheel({20, 20}, {20, 20}, {}, {0, -240}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&win(), &wheel);
    EXPECT_EQ(zoom_caption(), u"240%"_s);

    QScrollBar* pages = win().FlatScrollBar(3);
    QTest::mouseClick(pages, Qt::LeftButton, {}, QPoint(pages->width() - 4, pages->height() / 2));
    EXPECT_EQ(std::pair(requests.back(), page_caption()), std::pair(Request(1, 2.4f, 2), u"P. 2 of 3"_s));
    EXPECT_EQ(win().FlatScrollBar(1)->value(), view().steps_per_page);  // the vertical bar follows to page 2's top
    for (const auto& [k, caption] : {std::pair(Qt::Key_End, "P. 3 of 3"), {Qt::Key_PageUp, "P. 2 of 3"},
                                     {Qt::Key_Home, "P. 1 of 3"}, {Qt::Key_PageDown, "P. 2 of 3"}}) {
        key(k);
        EXPECT_EQ(page_caption(), QString::fromLatin1(caption));
    }
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(view().surface_left, -win().FlatScrollBar(2)->singleStep());
    EXPECT_LT(std::max<double>(view().surface_top, win().Picture2()->x()), 0);
    EXPECT_EQ(requests.back(), Request(1, 2.4f, 2));

    win().Image1(1)->setFocus();
    EXPECT_EQ(std::pair(face() == marked_face, win().Image1(0)->grab().toImage() == marked), std::pair(true, false));
    key(Qt::Key_Escape);
    EXPECT_FALSE(win().isVisible());
    EXPECT_EQ(std::tuple(view().zoom_level, view().win_h), std::tuple(0, normal));  // the next preview starts at 100 %
}

TEST_F(PreviewTest, ThePrintButtonPrintsTheShownPageAndBringsThePreviewBack)
{
    fill(2);
    doc->zoom();
    win().FlatScrollBar(3)->setValue(2);
    requests.clear();
    printer.forget();
    QTest::mouseClick(win().Image1(0), Qt::LeftButton);  // the printer dialog is cancelled
    EXPECT_EQ(requests, std::vector{Request(1, 1.2f, 2)});
    EXPECT_TRUE(printer.calls().empty());
    EXPECT_EQ(std::tuple(page_err, win().isVisible(), dialogs.printer_flags.back()), std::tuple(false, true, 1572928));
    EXPECT_EQ(dialogs.owners.back(), &win());

    requests.clear();
    printer.forget();
    dialogs.printers = {{true, 0}};
    QTest::mouseClick(win().Image1(0), Qt::LeftButton);
    EXPECT_EQ(requests, (std::vector{Request(0, 1.0f, 2), Request(1, 1.2f, 2)}));
    ASSERT_FALSE(printer.texts().empty());
    EXPECT_EQ(printer.texts().front().text, u"page 2"_s);
    // The page ends, the document ends, and the screen redraw leaves the printer alone.
    using Kind = platform::DrawCall::Kind;
    EXPECT_EQ(document_ends(), (std::vector{Kind::new_page, Kind::end_doc, Kind::abandon_doc}));
    EXPECT_TRUE(win().isVisible());
    EXPECT_EQ(std::tuple(zoom_caption(), view().win_h, view().zoomed), std::tuple(u"120%"_s, view().frame_h + 680, true));
}

TEST_F(PreviewTest, APrinterChosenInLandscapeKeepsThePagesPortraitAndGivesItsOwnOffsets)
{
    fill(1);
    dialogs.printers = {{true, 0}};
    dialogs.choose_printer = [this](QPrinter&) {
        sheet.set_orientation(2);
        sheet.set_printable({7.5, 10});
    };
    doc->select_printer();
    EXPECT_EQ(std::pair(page_err, sheet.orientation()), std::pair(false, std::int16_t(1)));
    EXPECT_EQ(std::pair(doc->page_settings()[11], doc->page_settings()[12]), std::pair(0.5f, 0.5f));
    // A cancelled dialog changes nothing.
    sheet.set_printable({8, 10.5});
    doc->select_printer();
    EXPECT_EQ(std::tuple(page_err, doc->page_settings()[11], doc->page_data(11).toFloat()),
              std::tuple(true, 0.5f, 0.5f));
}

}  // namespace
}  // namespace qid::testing
