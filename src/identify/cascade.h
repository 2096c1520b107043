#pragma once
// The identification cascade: step 0 keeps the species that agree with the
// fruit observations, step 1 those that also agree with the leaf
// observations, step 2 those that also agree with the bud observations. The
// survivors of each step are kept in the selection table and listed in the
// result list.
#include <cstdint>

namespace qid {

// NEXT: step is the new stage. Reads the observations when they changed,
// then runs the step, or only shows its stored result once the last step has run.
void next_step(std::int16_t& step);

void srch_fruit();
void srch_leaf();
void srch_bud();

// Lists the stored survivors of a step under its heading and offers the
// buttons that fit it.
void show_selection(std::int16_t& step);

}  // namespace qid
