#pragma once
// A check of a species file for its keepers: records that cannot be right,
// and pairs of species that the recorded data cannot tell apart.
#include <cstdint>
#include <vector>

#include <QString>

#include "identify/data_file.h"

namespace qid {

struct DataFinding {
    enum class Kind {
        no_name,               // an empty name
        duplicate_name,        // the name of an earlier species (`other`), capitals aside
        nothing_recorded,      // no colour and no size at all
        least_above_greatest,  // a range whose least value is above its greatest
        below_zero,            // a size or count below zero
        colour_not_in_list,    // a colour that is not an entry of its choice list
        same_data,             // no recorded item tells the species apart from `other`
    };
    Kind kind = Kind::no_name;
    int species = 0;
    int other = 0;  // duplicate_name: the earlier species; same_data: the later one
    QString detail;  // what is wrong, in words
};

struct DataCheck {
    int species = 0;
    // Every record that cannot be right, in file order; then the pairs, in
    // file order, at most as many as asked for.
    std::vector<DataFinding> findings;
    std::int64_t pairs = 0;  // the pairs that cannot be told apart, listed or not
    bool pairs_capped = false;  // the search stopped there: there may be more
    int records = 0;         // findings about single records

    bool clean() const { return records == 0 && pairs == 0; }
};

// Checks every record, then every pair of species with something recorded:
// a pair cannot be told apart when each item is recorded by only one of
// them, is the same colour or shape in both, or is a range with a whole
// number (for the leaflet shape, a ratio) that both accept, as for a grown
// tree without extended ranges. The pairs are counted up to `pairs_counted`
// (a file of thousands of alike species has hundreds of millions) and the
// first `pairs_listed` listed.
DataCheck check_data(const SpeciesData& data, std::size_t pairs_listed = 1000, std::int64_t pairs_counted = 1000000);

// "line 12: Quenla rubella: ..." for a record, or
// "lines 12 and 40: Quenla rubella and Quenla nana: ..." for a pair.
QString describe(const DataFinding& finding, const SpeciesData& data);
// The kind as CSV and JSON name it: "no_name", "duplicate_name", ...
QString kind_name(DataFinding::Kind kind);

}  // namespace qid
