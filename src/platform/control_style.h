#pragma once
// The look every window of the program shares: the desktop's own style, with
// two changes. The keyboard focus is always marked, clearly, on every
// control that draws a focus frame (tick boxes, option buttons, list
// entries), whether it came by the keyboard or by the mouse and whatever the
// colour behind it. And on large screens the parts whose size the style
// decides, not the window's layout (the tick box's square, the option
// buttons' circles, scroll bars), grow by a factor, so that they keep their
// proportion to the writing beside them.
namespace qid::platform {

// Makes the program's style the application's, its parts grown by factor;
// a factor below 1 counts as 1, so nothing becomes smaller than the style's own.
void use_control_style(double factor);

// The factor of the style in force; 1 before use_control_style.
double control_scale();

}  // namespace qid::platform
