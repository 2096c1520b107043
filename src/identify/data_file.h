#pragma once
// The species data file: seven choice lists, then the species table.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "identify/table.h"

namespace qid {

// Where and why a data file could not be read.
struct DataFileError {
    int line = 0;      // 1-based line of the offending field; 0 when the file could not be opened
    int field = 0;     // 1-based field number within that line
    QString problem;   // what was wrong or expected, in plain words
};

// The seven choice lists, in file order.
enum ChoiceList { initial_colour_list, final_colour_list, colour_above_list, colour_below_list, bud_colour_list,
                  bud_hairs_list, sticky_list };

// Everything one data file holds: the species table, the choice lists and
// the highest column of each table.
struct SpeciesData : SpeciesTable {
    std::array<QStringList, 7> lists;  // INITIAL COLOUR .. STICKY?, in file order
    std::vector<int> lines;            // the line of each species' name, 0..species_count (0 unused)
    int bud_max = 0;
    int leaf_max = 0;
    int fruit_max = 0;
};

struct DataFileResult {
    std::optional<SpeciesData> data;
    DataFileError error;  // meaningful when data is empty
};

// Reads and checks a whole data file. Never throws; a file that cannot be
// read in full gives no data and the first error met. Time and memory grow
// with the size of the file, whatever counts it declares.
DataFileResult read_data_file(const QString& path);

// The same for the bytes of a data file already in memory.
DataFileResult read_data_bytes(QByteArrayView bytes);

// Decodes the bytes of a data file: UTF-8 when valid, else Windows-1252.
QString decode_data_text(const QByteArray& bytes);

// Where the error is and what it is, as a message shows them:
// "Line 3, field 2: A number was expected ...".
QString describe_error(const DataFileError& e);

// The number in a text box, as the observation fields hold it: the longest
// leading decimal number, rounded halves to even, clamped to 16 bits; 0 when
// the text does not start with a number.
std::int16_t text_box_number(const QString& text);

}  // namespace qid
