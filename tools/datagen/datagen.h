#pragma once
// Large, valid species data files for benchmarks and tests, made from the
// choice lists of a real file. The same lists, count and seed always give
// the same bytes.
#include <array>
#include <cstdint>

#include <QByteArray>
#include <QStringList>

namespace qid::tools {

using ChoiceLists = std::array<QStringList, 7>;

// A data file of `count` species (0..32767) in the usual form: CR LF line
// ends, one list or record per line, every text quoted. Colours are drawn
// from the lists; about one species in ten is only partly recorded.
QByteArray make_species_file(const ChoiceLists& lists, int count, std::uint64_t seed);

// The choice lists of the data file at path; empty lists when it cannot be read.
ChoiceLists lists_of(const QString& path);

}  // namespace qid::tools
