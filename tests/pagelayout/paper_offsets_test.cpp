// On the printer every item is drawn its unprintable offsets up and to the
// left of its page position, so that it lands there measured from the
// paper's corner; on the preview surface nothing moves.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "pagelayout/test_page.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;
using platform::DrawCall;

// A page with an item of every kind, composed on one target with the given
// offsets: the calls that place something, and where the page ends up.
struct Composed {
    std::vector<DrawCall> placed;
    std::pair<float, float> end;
};

Composed compose(std::int16_t target, float x_off, float y_off, const QString& picture)
{
    TestPage t;
    const double sizes[14] = {9, 6, 1, 0.5, 1, 0.25, 1, 1, 1, 0xffffff, 1, x_off, y_off, 1};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        t.page.set_sizes(opt, sizes[opt]);
    t.page.set_clock([] { return QDate(2004, 5, 3); });
    t.page.set_pp(target);
    t.page.head_foot(0, u"sd"_s, u"Title"_s, u"pr"_s, {}, 0, false);
    float y = 2, hp = 1.5f, pl = 0;
    t.page.add_text(u"single"_s, hp, false, y, 0, 0);
    t.page.add_text(u" line"_s, hp, true, y, 0, 0);
    hp = 0;
    t.page.add_text(u"centred"_s, hp, true, y, 1, 0);
    t.page.add_f_text(u"a paragraph of words long enough to go over two lines of the page"_s, y, false, 3, pl, 0, 0);
    t.page.add_f_text(u"\\b/and on"_s, y, true, 0, pl, 0, 0);
    t.page.add_f_text(u"right"_s, y, true, 2, pl, 0, 0.5f);
    float gx = -1, gy = 0;
    t.page.add_graphic(picture, 1, 0.5f, gx, gy);
    float bx = 2;
    t.page.add_box(gy + 1, bx, 1, 0.5f);
    t.page.head_foot(1, {}, u"pa"_s, {}, {}, 0, false);
    Composed c;
    const platform::TestTarget& drawn = target == 0 ? t.printer : t.surface;
    for (const DrawCall& call : drawn.calls())
        if (call.kind == DrawCall::Kind::text || call.kind == DrawCall::Kind::picture ||
            call.kind == DrawCall::Kind::box)
            c.placed.push_back(call);
    c.end = {y, bx};
    return c;
}

TEST(PaperOffsetsTest, EveryItemOnThePrinterMovesByTheOffsetsAndNothingOnTheSurface)
{
    RecordingMessages messages;
    QTemporaryDir dir;
    const QString picture = dir.filePath(u"leaf.png"_s);
    QImage leaf(40, 20, QImage::Format_RGB32);
    leaf.fill(Qt::darkGreen);
    ASSERT_TRUE(leaf.save(picture));
    for (std::int16_t target : {0, 1}) {
        page_err = false;
        const Composed at_corner = compose(target, 0, 0, picture);
        const Composed offset = compose(target, 0.25f, 0.125f, picture);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().text.toStdString();
        const float dx = target == 0 ? 0.25f : 0, dy = target == 0 ? 0.125f : 0;
        ASSERT_EQ(offset.placed.size(), at_corner.placed.size());
        int kinds = 0;
        for (std::size_t i = 0; i < offset.placed.size(); ++i) {
            const DrawCall& a = at_corner.placed[i];
            const DrawCall& b = offset.placed[i];
            EXPECT_EQ(std::tuple(b.kind, b.text), std::tuple(a.kind, a.text));
            EXPECT_FLOAT_EQ(b.x, a.x - dx) << "target " << target << ": " << a.text.toStdString() << " #" << i;
            EXPECT_FLOAT_EQ(b.y, a.y - dy) << "target " << target << ": " << a.text.toStdString() << " #" << i;
            if (a.kind == DrawCall::Kind::box) {  // both corners
                EXPECT_EQ(std::pair(b.w, b.h), std::pair(a.w - dx, a.h - dy));
            }
            kinds |= 1 << static_cast<int>(a.kind);
        }
        EXPECT_EQ(kinds, 1 << 0 | 1 << 3 | 1 << 4);  // texts, a picture, a box
        // The page itself counts in page positions whatever the offsets.
        EXPECT_EQ(offset.end, at_corner.end);
    }
}

}  // namespace
}  // namespace qid::testing
