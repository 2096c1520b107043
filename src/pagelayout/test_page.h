#pragma once
// A page on two fixed-metric recording targets, for tests of anything that
// composes pages. Pictures are read from files.
#include "pagelayout/pp_page.h"
#include "platform/test_target.h"

namespace qid {

struct TestPage {
    // surface_scale: the surface's points per printer point (preview_scale x zoom).
    explicit TestPage(float surface_scale = 1.0f) : surface(surface_scale) {}

    platform::TestTarget printer;
    platform::TestTarget surface;
    platform::FilePictureBox pictures;
    PPpage page{printer, surface, pictures};
};

}  // namespace qid
