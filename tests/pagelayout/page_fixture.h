#pragma once
// A page on the fixed-metric targets: letter-like paper with one-inch
// margins, 12-point text (characters 0.125 inch wide, lines 0.25 inch high),
// composed for the printer so every drawing lands on the printer target.
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "pagelayout/test_page.h"
#include "shell/state.h"

namespace qid::testing {

using platform::DrawCall;

class PageTest : public ::testing::Test {
protected:
    explicit PageTest(float surface_scale = 1.0f) : bench(surface_scale) {}

    void SetUp() override
    {
        page_err = false;
        const double sizes[14] = {9, 6, 1, 0.5, 1, 0.25, 1, 1, 1, 0xffffff, 1, 0, 0, 1};
        for (std::int16_t opt = 0; opt < 14; ++opt)
            page.set_sizes(opt, sizes[opt]);
        page.font_defaults({QStringLiteral("Arial"), 12, false, false, false, false, 0, QStringLiteral("400")});
        page.set_pp(0);
        printer.forget();
        surface.forget();
    }

    std::vector<DrawCall> drawn() const { return printer.texts(); }
    // The drawn characters joined, to check what a line holds.
    static QString joined(const std::vector<DrawCall>& calls)
    {
        QString s;
        for (const DrawCall& c : calls)
            s += c.text;
        return s;
    }

    RecordingMessages messages;
    TestPage bench;
    PPpage& page = bench.page;
    platform::TestTarget& printer = bench.printer;
    platform::TestTarget& surface = bench.surface;
};

}  // namespace qid::testing
