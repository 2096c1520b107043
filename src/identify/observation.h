#pragma once
// What one identification works on besides the species table: the
// observations of one tree, the factors its sizes are judged with, and the
// species each step of the cascade kept. All three are plain values.
#include <array>
#include <cstdint>
#include <vector>

#include <QString>

namespace qid {

// What was observed. An empty text or a 0 means "not observed".
struct ObservationSet {
    std::array<QString, 2> fruit_colour;     // initial, final
    bool spherical = true;
    std::int16_t berry_size = 0;
    std::array<QString, 2> leaf_colour;      // above, below
    std::array<std::int16_t, 4> leaf_size{};  // pairs, leaf length, leaflet length, leaflet width
    std::array<QString, 3> bud_prop;         // colour, hairs, sticky
    std::int16_t bud_length = 0;
};

struct Factors {
    float size_factor = 1.0f;                    // 0.8 for a young or small tree, else 1.0
    float range_ext = 0.0f;                      // 0, or 0.2 while size ranges are extended
    std::array<float, 2> bud_len_fac{0.8f, 1.1f};  // lower and upper bud-length multipliers
};

// selected[s][0] is the number of species kept by step s (0..2);
// selected[s][1..n] their species numbers in ascending order.
using Selection = std::array<std::vector<std::int16_t>, 3>;

}  // namespace qid
