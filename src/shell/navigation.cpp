#include "shell/navigation.h"

#include "shell/state.h"

namespace qid {

namespace {

platform::Control* control(int s)
{
    return ctl_tbl[static_cast<std::size_t>(s)];
}

void show(int s, bool on)
{
    if (platform::Control* c = control(s))
        c->set_visible(on);
}

void set_list(int s, int index)
{
    if (platform::Control* c = control(s))
        c->set_list_index(index);
}

void set_text(int s, const QString& text)
{
    if (platform::Control* c = control(s))
        c->set_caption(text);
}

}  // namespace

void reset_selection()
{
    needs_read = true;
    stage = -1;
    range_ext = 0.0f;
    if (platform::Control* list = control(slot::result_list))
        list->clear_items();
    set_text(slot::heading, QStringLiteral("SELECTION"));
    last_stage_done = false;
    show(slot::print_button, false);
    show(slot::next_button, true);
    show(slot::back_button, false);
    show(slot::extend_button, false);
    show(slot::extended_notice, false);
    empty_stage = -1;
    if (cascade_changed)
        cascade_changed();
}

void clear_entries()
{
    if (platform::Control* young = control(slot::young_tree))
        young->set_value(0);
    size_factor = 1.0f;
    set_list(slot::initial_colour, -1);
    set_list(slot::final_colour, 0);
    set_text(slot::berry_size, QString());
    if (platform::Control* sphere = control(slot::spherical))
        sphere->set_value(1);
    set_list(slot::colour_above, -1);
    set_list(slot::colour_below, 0);
    for (int k = 0; k < 4; ++k)
        set_text(slot::leaflet_pairs + k, QString());
    for (int k = 0; k < 3; ++k)
        set_list(slot::bud_colour + k, -1);
    set_text(slot::bud_length, QString());
    reset_selection();
}

}  // namespace qid
