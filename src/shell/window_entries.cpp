#include "shell/window_entries.h"

#include "identify/data_file.h"
#include "platform/messages.h"
#include "shell/navigation.h"
#include "shell/state.h"

namespace qid {

namespace {

// The list box of each choice list, in file order.
constexpr int list_slots[7] = {slot::initial_colour, slot::final_colour, slot::colour_above, slot::colour_below,
                               slot::bud_colour,     slot::bud_colour + 1, slot::bud_colour + 2};

bool has_selection(int slot)
{
    const platform::Control* list = ctl_tbl[static_cast<std::size_t>(slot)];
    return list && list->list_index() >= 0;
}

QString selected_text(int slot)
{
    if (!has_selection(slot))
        return QString();
    const platform::Control* list = ctl_tbl[static_cast<std::size_t>(slot)];
    return list->item(list->list_index());
}

std::int16_t box_number(int slot)
{
    const platform::Control* box = ctl_tbl[static_cast<std::size_t>(slot)];
    return box ? text_box_number(box->caption()) : 0;
}

// The second colour of a pair is taken only when the first one is chosen.
void read_colour_pair(int first_slot, int second_slot, std::array<QString, 2>& colours)
{
    colours = {QString(), QString()};
    if (!has_selection(first_slot))
        return;
    colours[0] = selected_text(first_slot);
    colours[1] = selected_text(second_slot);
}

}  // namespace

bool load_species()
{
    DataFileResult result = read_data_file(data_file);
    if (!result.data) {
        platform::system_message(QStringLiteral("The species data file '%1' cannot be used.\n%2.")
                                     .arg(data_file, describe_error(result.error)),
                                 QStringLiteral("DATA FILE ERROR"), platform::icon_critical);
        window_table = SpeciesTable{};
        species_name.assign(1, QString());
        bud_table.resize(1, 4);
        leaf_table.resize(1, 10);
        fruit_table.resize(1, 5);
        return false;
    }
    SpeciesData& d = *result.data;
    for (std::size_t k = 0; k < d.lists.size(); ++k) {
        platform::Control* list = ctl_tbl[static_cast<std::size_t>(list_slots[k])];
        if (!list)
            continue;
        for (const QString& entry : d.lists[k])
            list->add_item(entry);
    }
    window_table = std::move(static_cast<SpeciesTable&>(d));
    return true;
}

void read_entries()
{
    for (auto& row : selected)
        row.assign(static_cast<std::size_t>(species_count) + 1, 0);
    const platform::Control* young = ctl_tbl[slot::young_tree];
    size_factor = young && young->value() != 0 ? 0.8f : 1.0f;
    read_colour_pair(slot::initial_colour, slot::final_colour, fruit_colour);
    const platform::Control* sphere = ctl_tbl[slot::spherical];
    spherical = sphere && sphere->value() != 0;
    berry_size = box_number(slot::berry_size);
    read_colour_pair(slot::colour_above, slot::colour_below, leaf_colour);
    for (int k = 0; k < 4; ++k)
        leaf_size[static_cast<std::size_t>(k)] = box_number(slot::leaflet_pairs + k);
    for (int k = 0; k < 3; ++k)
        bud_prop[static_cast<std::size_t>(k)] = selected_text(slot::bud_colour + k);
    bud_length = box_number(slot::bud_length);
    needs_read = false;
}

}  // namespace qid
