#include "shell/state.h"

namespace qid {

QString app_path;
QString data_file;
QString build_date;

float rep_top_margin = 0.0f;
float rep_header_margin = 0.0f;
float rep_bottom_margin = 0.0f;
float rep_footer_margin = 0.0f;
float rep_left_margin = 0.0f;
float rep_right_margin = 0.0f;
float rep_indent = 0.0f;

std::array<float, 2> bud_len_fac{};
float size_factor = 0.0f;
float range_ext = 0.0f;
float screen_ratio = 0.0f;
std::int16_t stage = 0;
bool needs_read = false;
bool last_stage_done = false;
bool form_ready = false;
bool page_err = false;

std::vector<QWidget*> form_tbl;
std::array<platform::Control*, ctl_count> ctl_tbl{};

std::shared_ptr<about_64> about;
std::shared_ptr<MsgBx> msg_style;
std::shared_ptr<mbx> msg;
std::shared_ptr<PPpages> pages;
std::shared_ptr<CDC_class> cdc;

std::int16_t species_count = 0;
std::vector<QString> species_name;
CellTable bud_table;
CellTable leaf_table;
CellTable fruit_table;

std::array<QString, 2> fruit_colour;
bool spherical = false;
std::int16_t berry_size = 0;
std::array<QString, 2> leaf_colour;
std::array<std::int16_t, 4> leaf_size{};
std::array<QString, 3> bud_prop;
std::int16_t bud_length = 0;

std::array<std::vector<std::int16_t>, 3> selected;

}  // namespace qid
