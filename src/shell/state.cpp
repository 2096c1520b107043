#include "shell/state.h"

namespace qid {

QString data_file;
QString build_date;

float screen_ratio = 0.0f;
std::int16_t stage = 0;
bool needs_read = false;
bool last_stage_done = false;
bool form_ready = false;
std::int16_t empty_stage = -1;
Factors empty_factors;
std::function<void()> cascade_changed;

std::vector<QWidget*> form_tbl;
std::array<platform::Control*, ctl_count> ctl_tbl{};

std::shared_ptr<about_64> about;
std::shared_ptr<MsgBx> msg_style;
std::shared_ptr<mbx> msg;
std::shared_ptr<PPpages> pages;
std::shared_ptr<CDC_class> cdc;

// Until start-up and the first search fill them, everything is empty or 0.
SpeciesTable window_table;
ObservationSet window_observations{{}, false, 0, {}, {}, {}, 0};
Factors window_factors{0.0f, 0.0f, {}};
Selection selected;

std::int16_t& species_count = window_table.species_count;
std::vector<QString>& species_name = window_table.names;
CellTable& bud_table = window_table.bud;
CellTable& leaf_table = window_table.leaf;
CellTable& fruit_table = window_table.fruit;

std::array<QString, 2>& fruit_colour = window_observations.fruit_colour;
bool& spherical = window_observations.spherical;
std::int16_t& berry_size = window_observations.berry_size;
std::array<QString, 2>& leaf_colour = window_observations.leaf_colour;
std::array<std::int16_t, 4>& leaf_size = window_observations.leaf_size;
std::array<QString, 3>& bud_prop = window_observations.bud_prop;
std::int16_t& bud_length = window_observations.bud_length;

float& size_factor = window_factors.size_factor;
float& range_ext = window_factors.range_ext;
std::array<float, 2>& bud_len_fac = window_factors.bud_len_fac;

}  // namespace qid
