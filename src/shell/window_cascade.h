#pragma once
// The window's cascade: NEXT runs one step of the identification on the
// window's observations, and the survivors are listed in the result list.
#include <cstdint>

namespace qid {

// NEXT: step is the new stage. Reads the observations when they changed,
// then runs the step, or only shows its stored result once the last step has run.
void next_step(std::int16_t& step);

// The steps on the window's table, observations, factors and selection. A
// step that keeps no species says so in the message box, returns the window
// to the start of the cascade and offers EXTEND.
void srch_fruit();
void srch_leaf();
void srch_bud();

// Lists the stored survivors of a step under its heading and offers the
// buttons that fit it.
void show_selection(std::int16_t& step);

}  // namespace qid
