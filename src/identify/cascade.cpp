#include "identify/cascade.h"

#include <memory>

#include "identify/data_file.h"
#include "identify/matching.h"
#include "msgbox/mbx.h"
#include "shell/navigation.h"
#include "shell/state.h"

namespace qid {

namespace {

struct Step {
    const char* name;
    bool (*no_data)();
    bool (*match)(int);
};

constexpr Step steps[3] = {
    {"FRUIT", no_fruit_data, fruit_match},
    {"FRUIT and LEAF", no_leaf_data, leaf_match},
    {"FRUIT, LEAF and BUD", no_bud_data, bud_match},
};

void show(int s, bool on)
{
    if (platform::Control* c = ctl_tbl[static_cast<std::size_t>(s)])
        c->set_visible(on);
}

// One search step s: the candidates are every species for step 0, else the
// survivors of step s - 1.
void search(int s)
{
    std::vector<std::int16_t>& row = selected[static_cast<std::size_t>(s)];
    row.resize(static_cast<std::size_t>(species_count) + 1, 0);
    std::vector<std::int16_t> candidates;
    if (s == 0) {
        for (int i = 1; i <= species_count; ++i)
            candidates.push_back(static_cast<std::int16_t>(i));
    } else {
        const std::vector<std::int16_t>& before = selected[static_cast<std::size_t>(s - 1)];
        for (int k = 1; k <= before.at(0); ++k)
            candidates.push_back(before.at(static_cast<std::size_t>(k)));
    }

    const Step& step = steps[s];
    int count = 0;
    const bool keep_all = step.no_data();
    for (std::int16_t species : candidates)
        if (keep_all || step.match(species))
            row.at(static_cast<std::size_t>(++count)) = species;

    if (count == 0) {
        if (!msg)
            msg = std::make_shared<mbx>();
        msg->message_box(QStringLiteral("There are no trees which match the entered ") +
                             QString::fromLatin1(step.name) + QStringLiteral(" data!"),
                         0, 64, QStringLiteral("FRUIT DATA CHECK"), 2000, 0);
        reset_selection();
        show(slot::extend_button, true);
        return;
    }
    row.at(0) = static_cast<std::int16_t>(count);
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
    search(0);
}

void srch_leaf()
{
    search(1);
}

void srch_bud()
{
    search(2);
}

void show_selection(std::int16_t& step)
{
    if (step < 0 || step > 2)
        return;
    const std::vector<std::int16_t>& row = selected[static_cast<std::size_t>(step)];
    if (platform::Control* list = ctl_tbl[slot::result_list]) {
        const int n = row.empty() ? 0 : row[0];
        QStringList names;
        names.reserve(n);
        for (int k = 1; k <= n; ++k)
            names.append(QStringLiteral("Quenla ") + species_name.at(static_cast<std::size_t>(row.at(static_cast<std::size_t>(k)))));
        list->set_items(names);
    }
    if (platform::Control* heading = ctl_tbl[slot::heading])
        heading->set_caption(QStringLiteral("Trees selected on ") + QString::fromLatin1(steps[step].name) +
                             QStringLiteral(" data."));
    show(slot::next_button, step < 2);
    show(slot::back_button, step > 0);
    show(slot::print_button, true);
}

}  // namespace qid
