// A page composed again starts from the same line height as the first time.
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "pagelayout/test_page.h"
#include "shell/state.h"

namespace qid::testing {
namespace {

using namespace Qt::StringLiterals;

TEST(RecomposeTest, TheLineHeightStartsAfreshFromThePagesOwnFont)
{
    RecordingMessages messages;
    page_err = false;
    TestPage t;
    const double sizes[14] = {9, 6, 1, 0.5, 1, 0.25, 1, 1, 1, 0xffffff, 1, 0, 0, 1};
    for (std::int16_t opt = 0; opt < 14; ++opt)
        t.page.set_sizes(opt, sizes[opt]);
    t.page.font_defaults({u"Arial"_s, 16, false, false, false, false, 0, u"400"_s});
    for (int composition = 0; composition < 2; ++composition) {
        t.page.set_pp(0);
        EXPECT_FLOAT_EQ(t.page.line_height(), 16.0f / 48) << composition;
        t.page.font(u"Georgia"_s, 10);  // a smaller base font does not lower it
        EXPECT_FLOAT_EQ(t.page.line_height(), 16.0f / 48) << composition;
        float y = 2, pl = 0;
        t.page.add_f_text(u"\\24/tall\\n/ text"_s, y, true, 0, pl, 0, 0);
        EXPECT_FLOAT_EQ(t.page.line_height(), 24.0f / 48) << composition;
    }
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace qid::testing
