#include "shell/window_cascade.h"

#include <algorithm>
#include <memory>

#include "identify/cascade.h"
#include "msgbox/mbx.h"
#include "shell/navigation.h"
#include "shell/state.h"
#include "shell/window_entries.h"

namespace qid {

namespace {

void show(int s, bool on)
{
    if (platform::Control* c = ctl_tbl[static_cast<std::size_t>(s)])
        c->set_visible(on);
}

// What follows step s: its survivors listed, or the message that there are
// none and the cascade back at its start.
void conclude(int s, std::int16_t count)
{
    if (count == 0) {
        const Factors ran_with = window_factors;
        if (!msg)
            msg = std::make_shared<mbx>();
        msg->message_box(no_trees_message(s), 0, 64, QStringLiteral("FRUIT DATA CHECK"), 2000, 0);
        reset_selection();
        show(slot::extend_button, true);
        empty_stage = static_cast<std::int16_t>(s);
        empty_factors = ran_with;
        if (cascade_changed)
            cascade_changed();
        return;
    }
    show_selection(stage);
    if (s == 2)
        last_stage_done = true;
}

}  // namespace

void next_step(std::int16_t& step)
{
    if (needs_read)
        read_entries();
    if (last_stage_done) {
        show_selection(step);
        return;
    }
    switch (step) {
    case 0: srch_fruit(); break;
    case 1: srch_leaf(); break;
    case 2: srch_bud(); break;
    default: break;
    }
}

void srch_fruit()
{
    conclude(0, srch_fruit(window_table, window_observations, window_factors, selected));
}

void srch_leaf()
{
    conclude(1, srch_leaf(window_table, window_observations, window_factors, selected));
}

void srch_bud()
{
    conclude(2, srch_bud(window_table, window_observations, window_factors, selected));
}

void show_selection(std::int16_t& step)
{
    if (step < 0 || step > 2)
        return;
    const std::vector<std::int16_t>& row = selected[static_cast<std::size_t>(step)];
    if (platform::Control* list = ctl_tbl[slot::result_list]) {
        // The list names each species as it shows it, from its own copy of
        // the step's species numbers, which a later search may overwrite.
        const int n = row.empty() ? 0 : std::clamp<int>(row[0], 0, static_cast<int>(row.size()) - 1);
        std::vector<std::int16_t> shown(row.begin() + 1, row.begin() + 1 + n);
        list->set_items(n, [shown = std::move(shown)](int k) {
            const auto species = static_cast<std::size_t>(shown[static_cast<std::size_t>(k)]);
            return species < species_name.size() ? QStringLiteral("Quenla ") + species_name[species] : QString();
        });
    }
    if (platform::Control* heading = ctl_tbl[slot::heading])
        heading->set_caption(QStringLiteral("Trees selected on ") + step_name(step) + QStringLiteral(" data."));
    show(slot::next_button, step < 2);
    show(slot::back_button, step > 0);
    show(slot::print_button, true);
    empty_stage = -1;
    if (cascade_changed)
        cascade_changed();
}

}  // namespace qid
